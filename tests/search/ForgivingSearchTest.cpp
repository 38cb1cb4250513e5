// Forgiving mode: the matcher against a slow reference that tries every way of
// giving the field's words to the text's words, the edges of that reading, the
// Latin-layout reading and the phone field.

#include <gtest/gtest.h>

#include <map>

#include "data/TextServices.h"
#include "search/Forgiving.h"
#include "search/LatinLayout.h"
#include "search/RunSearch.h"
#include "tests/data/support/Win1251.h"
#include "tools/Random.h"

namespace {

using Indices = std::vector<int32_t>;
using Words = std::vector<std::string>;

std::string Folded(std::string_view text) {
  std::string folded = LowerText(text);
  for (char& c : folded)
    if (c == W("ё")[0]) c = W("е")[0];
  return folded;
}

Words SplitWords(std::string_view text) {
  Words words;
  std::string word;
  for (char c : std::string(text) + ' ') {
    if (c != ' ') {
      word += c;
    } else if (!word.empty()) {
      words.push_back(word);
      word.clear();
    }
  }
  return words;
}

bool IsLetter(char c) { return cp1251::UpperCase[uint8_t(c)] != cp1251::LowerCase[uint8_t(c)]; }

// What a field word asks of the text's words, one entry per word it takes: a text
// to hold, or (initial) a first letter, in order after the previous entry.
struct TNeed {
  std::string Text;
  bool Initial = false;
  bool AfterPrevious = false;
};

std::vector<TNeed> Needs(std::string_view field) {
  std::vector<TNeed> needs;
  for (std::string word : SplitWords(Folded(field))) {
    bool initials = word.size() >= 2;
    for (size_t k = 0; k < word.size(); ++k) initials &= k % 2 ? word[k] == '.' : IsLetter(word[k]);
    for (size_t k = 0; initials && k < word.size(); k += 2) needs.push_back({word.substr(k, 1), true, k > 0});
    while (!initials && word.size() > 1 && word.back() == '.') word.pop_back();
    if (!initials) needs.push_back({word});
  }
  return needs;
}

bool Assignable(const std::vector<TNeed>& needs, size_t n, const Words& words, std::vector<bool>& used, size_t last) {
  if (n == needs.size()) return true;
  for (size_t j = needs[n].AfterPrevious ? last + 1 : 0; j < words.size(); ++j) {
    const bool fits =
        needs[n].Initial ? words[j][0] == needs[n].Text[0] : words[j].find(needs[n].Text) != std::string::npos;
    if (used[j] || !fits) continue;
    used[j] = true;
    if (Assignable(needs, n + 1, words, used, j)) return true;
    used[j] = false;
  }
  return false;
}

bool ReferenceMatches(std::string_view field, std::string_view text) {
  const Words words = SplitWords(Folded(TextBeforeNul(text)));
  std::vector<bool> used(words.size());
  return Assignable(Needs(field), 0, words, used, 0);
}

bool Matches(std::string_view field, std::string_view text) {
  TForgivingScratch scratch;
  return TForgivingPattern(LowerText(TrimText(field))).Matches(text, scratch);
}

// The letter keys of both layouts, for typing a field in the wrong one and back.
const std::string RussianKeys = W("йцукенгшщзхъфывапролджэячсмитьбюё.");
const std::string LatinKeys = "qwertyuiop[]asdfghjkl;'zxcvbnm,.`/";

std::string Retyped(std::string_view text, const std::string& from, const std::string& to) {
  std::string typed = LowerText(text);
  for (char& c : typed)
    if (from.find(c) != std::string::npos) c = to[from.find(c)];
  return typed;
}

std::string RandomField(TRandom& random, const Words& names) {
  const Words words = SplitWords(names[random.Below(names.size())]);
  std::string field;
  for (int n = random.Between(1, 3); n > 0; --n) {
    const std::string& word = words[random.Below(words.size())];
    if (random.Chance(30)) {
      field +=
          word.substr(0, 1) + "." + (random.Chance(50) ? words[random.Below(words.size())].substr(0, 1) + "." : "");
    } else {
      const size_t start = random.Below(word.size());
      field += word.substr(start, 1 + random.Below(word.size() - start));
    }
    field += random.Chance(20) ? "  " : " ";
  }
  for (char& c : field)
    if (random.Chance(10)) c = cp1251::SwapCase[uint8_t(c)];
  return random.Chance(15) ? Retyped(field, RussianKeys, LatinKeys) : field;
}

}  // namespace

TEST(ForgivingSearchTest, FindsWhatTheReferenceFindsInBothReadings) {
  const Words names = {W("Петров Иван Ильич"),
                       W("Петрова Ирина Павловна"),
                       W("Ёлкин Пётр Семёнович"),
                       W("Елкина Алёна Ивановна"),
                       W("Иванов Иван Иванович"),
                       W("ООО Рога и Копыта"),
                       W("Иван Ильич Петров"),
                       W("Семенов-Тян-Шанский Пётр"),
                       W("ИВАНОВА ИННА"),
                       W("Ильин И.И."),
                       W("Петровский завод им. Кирова"),
                       std::string("Microsoft"),
                       W("Ёж Ёжикович")};
  TDirectory directory;
  for (const std::string& name : names) {
    directory.Owners.push_back(name);
    directory.Phones.push_back(TPhone{static_cast<int32_t>(directory.Owners.size()) - 1, "1", 0, 0, 0, {}, 0});
  }
  TRandom random(7);
  int found = 0;
  for (int search = 0; search < 600; ++search) {
    TSearchInputs inputs;
    inputs.Forgiving = true;
    inputs.Owner = RandomField(random, names);
    if (TrimText(inputs.Owner).empty()) continue;
    const bool latin = std::any_of(inputs.Owner.begin(), inputs.Owner.end(), [](char c) { return std::isalpha(c); });
    const std::string russian = Retyped(inputs.Owner, LatinKeys, RussianKeys);
    Indices expected;
    std::vector<int32_t> counts = {0, 0};
    for (size_t i = 0; i < names.size(); ++i) {
      const bool typed = ReferenceMatches(inputs.Owner, names[i]);
      const bool retyped = latin && ReferenceMatches(russian, names[i]);
      if (typed || retyped) expected.push_back(static_cast<int32_t>(i));
      counts[0] += typed;
      counts[1] += retyped;
      EXPECT_EQ(Matches(inputs.Owner, names[i]), ReferenceMatches(inputs.Owner, names[i]))
          << Utf8FromCp1251(inputs.Owner) << " in " << Utf8FromCp1251(names[i]);
    }
    const TSearchOutcome outcome = RunSearch(directory, inputs, nullptr, nullptr);
    ASSERT_EQ(outcome.Rows, expected) << Utf8FromCp1251(inputs.Owner);
    ASSERT_EQ(outcome.Readings.size(), latin ? 2u : 1u);
    EXPECT_EQ(outcome.Readings[0].Rows, counts[0]);
    EXPECT_EQ(latin ? outcome.Readings[1].Rows : 0, counts[1]);
    found += !expected.empty();
  }
  EXPECT_GT(found, 300);
}

TEST(ForgivingSearchTest, WordsInitialsAndLettersAtTheEdges) {
  const struct {
    const char* Field;
    std::string_view Text;
    bool Found;
  } cases[] = {
      {"Петров И.И.", "Петров Иван Ильич", true},
      {"Петров И.И.", "Петрова Ирина Павловна", false},
      {"Петров И.И.", "Иван Ильич Петров", true},
      {"петров и.и", "Петров Иван Ильич", true},
      {"П.И.", "Иван Петров", false},
      {"П.И.", "Петр Иванов", true},
      {"иван И.", "Иван Петров", false},
      {"иван И.", "Иван Игоревич", true},
      {"иван иван", "Иванов Петр", false},
      {"иван иван", "Иванов Иван", true},
      {"иван ов", "Иванов", false},
      {"ов иван", "Иван Петров", true},
      {"  петров    иван ", "Иван Петров", true},
      {"Петров.", "Петров", true},
      {"им.", "завод им. Кирова", true},
      {"...", "Рога...", true},
      {"ёлкин", "ЕЛКИН", true},
      {"ЕЛКИН", "ёлкин", true},
      {"Ё.", "Елена", true},
      {"пЕтРоВ и.И.", "ПЕТРОВ иван ИЛЬИЧ", true},
      {"И.", "", false},
      {"иван", std::string_view("Ab\0Иван", 11), false},
  };
  for (const auto& c : cases) EXPECT_EQ(Matches(W(c.Field), W(c.Text)), c.Found) << c.Field << " in " << c.Text.data();
}

TEST(ForgivingSearchTest, LatinLayoutIsReadAsTheRussianKeysAndSearchedBeside) {
  EXPECT_EQ(RussianLayoutText("bdfyjd ,.;'[]`"), W("иванов бюжэхъё"));
  EXPECT_EQ(RussianLayoutText("Bdfyjd {}:\"<>~?/"), W("Иванов ХЪЖЭБЮЁ,."));
  EXPECT_EQ(RussianLayoutText(W("Иванов 12-3")), W("Иванов 12-3"));
  TDirectory directory;
  for (const char* name : {"Иванов", "bdfyjd", "Петров"}) {
    directory.Owners.push_back(W(name));
    directory.Phones.push_back(TPhone{static_cast<int32_t>(directory.Owners.size()) - 1, "1", 0, 0, 0,
                                      TCorpusText(directory.Phones, W("Корп. 1/2")), 0});
  }
  TSearchInputs inputs;
  inputs.Forgiving = true;
  inputs.Owner = "Bdfyjd";
  inputs.Corpus = W("1/2");
  TSearchOutcome outcome = RunSearch(directory, inputs, nullptr, nullptr);
  EXPECT_EQ(outcome.Rows, (Indices{0, 1}));
  ASSERT_EQ(outcome.Readings.size(), 2u);
  EXPECT_EQ(outcome.Readings[1].Owner, W("иванов"));
  EXPECT_EQ(outcome.Readings[1].Corpus, W("1/2")) << "a field without Latin letters keeps its keys";
  EXPECT_TRUE(outcome.Readings[1].LatinLayout);
  EXPECT_FALSE(outcome.Readings[0].LatinLayout);
  EXPECT_EQ(outcome.Readings[0].Rows + outcome.Readings[1].Rows, 2);

  inputs.Owner = "rjhg/";  // «корп.» on the Russian keys; the corpus search alone
  inputs.Corpus = inputs.Owner;
  inputs.Owner.clear();
  EXPECT_EQ(RunSearch(directory, inputs, nullptr, nullptr).Rows, (Indices{0, 1, 2}));
  inputs.Forgiving = false;
  EXPECT_EQ(RunSearch(directory, inputs, nullptr, nullptr).Readings.size(), 1u) << "only forgiving mode reads it";
  inputs.Forgiving = true;
  inputs.RegExpr = true;
  outcome = RunSearch(directory, inputs, nullptr, nullptr);
  EXPECT_TRUE(outcome.Rows.empty()) << "nor does regular-expression mode";
  EXPECT_EQ(outcome.Readings.size(), 1u);
}

TEST(ForgivingSearchTest, PhoneDropsPunctuationAndTheCountryCodeOfAFullNumber) {
  EXPECT_EQ(ForgivingPhone("8 (916) 123-45-67"), "9161234567");
  EXPECT_EQ(ForgivingPhone("+7 916 123 45 67"), "9161234567");
  EXPECT_EQ(ForgivingPhone("123-45-67"), "1234567");
  EXPECT_EQ(ForgivingPhone("8916123456"), "8916123456") << "ten digits are a number of their own";
  EXPECT_EQ(ForgivingPhone("+7916123456"), "+7916123456");
  EXPECT_EQ(ForgivingPhone("7 916 123 45 67"), "79161234567");
  EXPECT_EQ(ForgivingPhone("+7 (9x6) 123 45 67"), "+79x61234567");
  TSearchInputs inputs;
  inputs.Phone = "8 (916) 123-45-67";
  inputs.Forgiving = true;
  EXPECT_EQ(MakeSearchCriteria(inputs).Phone, "9161234567");
  inputs.Forgiving = false;
  EXPECT_EQ(MakeSearchCriteria(inputs).Phone, inputs.Phone);
}
