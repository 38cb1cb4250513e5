// Forgiving mode against a slow reference that tries every way of giving the field's
// words to the text's words; its edges, the Latin-layout reading, the phone field.

#include <gtest/gtest.h>

#include <sstream>

#include "data/TextServices.h"
#include "search/Forgiving.h"
#include "search/LatinLayout.h"
#include "search/RunSearch.h"
#include "search/TextsContaining.h"
#include "tests/support/Cp1251Literal.h"
#include "tools/Random.h"

namespace {

using Indices = std::vector<int32_t>;
using Words = std::vector<std::string>;

Words SplitWords(std::string_view text, char at = ' ') {
  Words words;
  std::istringstream in{std::string(text)};
  for (std::string word; std::getline(in, word, at);)
    if (!word.empty()) words.push_back(word);
  return words;
}

std::string Folded(std::string_view text) {
  std::string folded = LowerText(text);
  std::replace(folded.begin(), folded.end(), Cp("ё")[0], Cp("е")[0]);
  return folded;
}

// One entry per text word a field word takes: a text it holds, or a first letter
// (Initial), after the word the previous letter took (AfterPrevious).
struct TNeed {
  std::string Text;
  bool Initial = false;
  bool AfterPrevious = false;
};

std::vector<TNeed> Needs(std::string_view field) {
  std::vector<TNeed> needs;
  for (std::string word : SplitWords(Folded(field))) {
    bool initials = word.size() >= 2;
    for (size_t k = 0; k < word.size(); ++k)
      initials &= k % 2 ? word[k] == '.' : cp1251::UpperCase[uint8_t(word[k])] != uint8_t(word[k]);
    for (size_t k = 0; initials && k < word.size(); k += 2) needs.push_back({word.substr(k, 1), true, k > 0});
    while (!initials && word.size() > 1 && word.back() == '.') word.pop_back();
    if (!initials) needs.push_back({word});
  }
  return needs;
}

bool Assignable(const std::vector<TNeed>& needs, size_t n, const Words& words, std::vector<bool>& used, size_t last) {
  if (n == needs.size()) return true;
  for (size_t j = needs[n].AfterPrevious ? last + 1 : 0; j < words.size(); ++j) {
    const TNeed& need = needs[n];
    if (used[j] || !(need.Initial ? words[j][0] == need.Text[0] : words[j].find(need.Text) != std::string::npos))
      continue;
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
const std::string RussianKeys = Cp("йцукенгшщзхъфывапролджэячсмитьбюё.");
const std::string LatinKeys = "qwertyuiop[]asdfghjkl;'zxcvbnm,.`/";

std::string Retyped(std::string_view text, const std::string& from, const std::string& to) {
  std::string typed = LowerText(text);
  for (char& c : typed)
    if (from.find(c) != std::string::npos) c = to[from.find(c)];
  return typed;
}

// Pieces and initials of a name's words, in any case, sometimes on the wrong keys.
std::string RandomField(TRandom& random, const Words& names) {
  const Words words = SplitWords(names[random.Below(names.size())]);
  auto word = [&] { return words[random.Below(words.size())]; };
  std::string field;
  for (int n = random.Between(1, 3); n > 0; --n) {
    const std::string w = word();
    const size_t start = random.Below(w.size());
    field += random.Chance(30) ? w.substr(0, 1) + "." + (random.Chance(50) ? word().substr(0, 1) + "." : "")
                               : w.substr(start, 1 + random.Below(w.size() - start));
    field += random.Chance(20) ? "  " : " ";
  }
  for (char& c : field)
    if (random.Chance(10)) c = cp1251::SwapCase[uint8_t(c)];
  return random.Chance(15) ? Retyped(field, RussianKeys, LatinKeys) : field;
}

}  // namespace

TEST(ForgivingSearchTest, FindsWhatTheReferenceFindsInBothReadings) {
  const Words names = SplitWords(Cp("Петров Иван Ильич|Петрова Ирина Павловна|Ёлкин Пётр Семёнович|Елкина Алёна "
                                    "Ивановна|Иванов Иван Иванович|ООО Рога и Копыта|Иван Ильич Петров|Семенов-Тян-"
                                    "Шанский Пётр|ИВАНОВА ИННА|Ильин И.И.|Петровский завод им. Кирова|Microsoft|Ёж"),
                                 '|');
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
    const bool latin =
        std::any_of(inputs.Owner.begin(), inputs.Owner.end(), [](unsigned char c) { return c < 128 && isalpha(c); });
    Indices expected;
    int32_t counts[2] = {0, 0};
    for (size_t i = 0; i < names.size(); ++i) {
      const bool typed = ReferenceMatches(inputs.Owner, names[i]);
      const bool retyped = latin && ReferenceMatches(Retyped(inputs.Owner, LatinKeys, RussianKeys), names[i]);
      if (typed || retyped) expected.push_back(static_cast<int32_t>(i));
      counts[0] += typed;
      counts[1] += retyped;
      EXPECT_EQ(Matches(inputs.Owner, names[i]), typed) << Utf8FromCp1251(inputs.Owner + " in " + names[i]);
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
  // field|text|found, a case a line
  const Words cases = SplitWords(Cp(R"(Петров И.И.|Петров Иван Ильич|1
Петров И.И.|Петрова Ирина Павловна|0
Петров И.И.|Иван Ильич Петров|1
петров и.и|Петров Иван Ильич|1
П.И.|Иван Петров|0
иван И.|Иван Петров|0
иван иван|Иванов Петр|0
иван иван|Иванов Иван|1
иван ов|Иванов|0
ов иван|Иван Петров|1
  петров    иван |Иван Петров|1
Петров.|Петров|1
...|Рога...|1
ёлкин|ЕЛКИН|1
ЕЛКИН|ёлкин|1
Ё.|Елена|1
пЕтРоВ и.И.|ПЕТРОВ иван ИЛЬИЧ|1
И.||0)"),
                                 '\n');
  for (const std::string& line : cases) {
    const size_t bar = line.find('|');
    const size_t last = line.rfind('|');
    EXPECT_EQ(Matches(line.substr(0, bar), line.substr(bar + 1, last - bar - 1)), line.back() == '1')
        << Utf8FromCp1251(line);
  }
  for (const char* field : {"иван", "И.", "И. иван"})
    EXPECT_FALSE(Matches(Cp(field), "Ab" + std::string(1, '\0') + Cp(" Иван"))) << "a text ends at its first NUL";
}

// Names are short; texts past 64 bytes or 64 words, and repeated words with «ё» or
// without, are matched another way.
TEST(ForgivingSearchTest, LongTextsAndRepeatedWordsAgreeWithTheReference) {
  const Words pieces = SplitWords(Cp("и ия Иван иванов ИВАНОВА ёж еж Ёлкин елкина пётр Петр а"));
  TRandom random(11);
  int found = 0;
  for (int round = 0; round < 1500; ++round) {
    std::string text;
    for (int n = random.Between(1, round % 4 == 0 ? 70 : round % 2 ? 16 : 6); n > 0; --n)
      text += random.Pick(pieces) + (random.Chance(20) ? "  " : " ");
    const std::string field = RandomField(random, {text});
    const bool expected = ReferenceMatches(field, text);
    EXPECT_EQ(Matches(field, text), expected) << Utf8FromCp1251(field + " in " + text);
    found += expected;
  }
  EXPECT_GT(found, 500);
}

// A table is read a chunk of bytes at a time, in two parts side by side, up to its
// last bytes: every text must come out as it does alone.
TEST(ForgivingSearchTest, TableScansAgreeWithTextByText) {
  const Words pieces = SplitWords(Cp("Иван Иванов Ирина Илья Ёлкин Елена Пётр Петров Павел Ильич Семёнович"));
  TRandom random(5);
  TTextTable table;
  while (table.size() < 410'000) {
    std::string text;
    for (int n = random.Between(0, table.size() % 97 == 0 ? 30 : 4); n > 0; --n) text += random.Pick(pieces) + " ";
    if (random.Chance(1)) text.insert(random.Below(text.size() + 1), 1, '\0');
    table.push_back(text);
  }
  for (const char* field : {"И.И.", "И.И.И.", "е.", "И. П.", "П.И. е.", "иван иванов", "Петров И.И.", "ёлкин е."}) {
    const TForgivingPattern pattern(LowerText(Cp(field)));
    const std::vector<uint64_t> bits = TextsMatchingForgivingly(table, pattern);
    TForgivingScratch scratch;
    size_t found = 0;
    for (size_t i = 0; i < table.size(); ++i) {
      ASSERT_EQ(BitSet(bits, i), pattern.Matches(table[i], scratch))
          << field << " in " << Utf8FromCp1251(std::string(table[i]));
      found += BitSet(bits, i);
    }
    EXPECT_GT(found, 1000u) << field;
  }
}

TEST(ForgivingSearchTest, LatinLayoutIsReadAsTheRussianKeysAndSearchedBeside) {
  EXPECT_EQ(RussianLayoutText("bdfyjd ,.;'[]`"), Cp("иванов бюжэхъё"));
  EXPECT_EQ(RussianLayoutText("Bdfyjd {}:\"<>~?/"), Cp("Иванов ХЪЖЭБЮЁ,."));
  EXPECT_EQ(RussianLayoutText(Cp("Иванов 12-3")), Cp("Иванов 12-3"));
  TDirectory directory;
  for (const char* name : {"Иванов", "bdfyjd", "Петров"}) {
    directory.Owners.push_back(Cp(name));
    directory.Phones.push_back(TPhone{static_cast<int32_t>(directory.Owners.size()) - 1, "1", 0, 0, 0,
                                      TCorpusText(directory.Phones, Cp("Корп. 1/2")), 0});
  }
  TSearchInputs inputs;
  inputs.Forgiving = true;
  inputs.Owner = "Bdfyjd";
  inputs.Corpus = Cp("1/2");
  TSearchOutcome outcome = RunSearch(directory, inputs, nullptr, nullptr);
  EXPECT_EQ(outcome.Rows, (Indices{0, 1}));
  ASSERT_EQ(outcome.Readings.size(), 2u);
  EXPECT_EQ(outcome.Readings[1].Owner, Cp("иванов"));
  EXPECT_EQ(outcome.Readings[1].Corpus, Cp("1/2")) << "a field without Latin letters keeps its keys";
  EXPECT_TRUE(outcome.Readings[1].LatinLayout && !outcome.Readings[0].LatinLayout);

  inputs.Owner.clear();
  inputs.Corpus = "rjhg/";  // «корп.» on the Russian keys
  EXPECT_EQ(RunSearch(directory, inputs, nullptr, nullptr).Rows, (Indices{0, 1, 2}));
  inputs.Forgiving = false;
  EXPECT_EQ(RunSearch(directory, inputs, nullptr, nullptr).Readings.size(), 1u) << "only forgiving mode reads it";
  inputs.RegExpr = inputs.Forgiving = true;
  EXPECT_EQ(RunSearch(directory, inputs, nullptr, nullptr).Readings.size(), 1u) << "nor regular-expression mode";
}

TEST(ForgivingSearchTest, PhoneDropsPunctuationAndTheCountryCodeOfAFullNumber) {
  EXPECT_EQ(ForgivingPhone("8 (916) 123-45-67"), "9161234567");
  EXPECT_EQ(ForgivingPhone("+7 916 123 45 67"), "9161234567");
  EXPECT_EQ(ForgivingPhone("8916123456"), "8916123456") << "ten digits are a number of their own";
  EXPECT_EQ(ForgivingPhone("+7916123456"), "+7916123456");
  EXPECT_EQ(ForgivingPhone("7 916 123 45 67"), "79161234567");
  EXPECT_EQ(ForgivingPhone("+7 (9x6) 123 45 67"), "+79x61234567");
  TSearchInputs inputs;
  inputs.Phone = "8 (916) 123-45-67";
  for (bool forgiving : {true, false}) {
    inputs.Forgiving = forgiving;
    EXPECT_EQ(MakeSearchCriteria(inputs).Phone, forgiving ? "9161234567" : inputs.Phone);
  }
}
