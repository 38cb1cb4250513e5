// Regular-expression searches over the generated benchmark directory.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bench/data/support/BenchDirectory.h"
#include "bench/search/support/SearchRun.h"
#include "data/Cp1251.h"
#include "data/LoadDirectory.h"
#include "search/Search.h"
#include "tools/RussianNames.h"

namespace {

TSearchInputs RegexInputs() {
  TSearchInputs inputs;
  inputs.RegExpr = true;
  return inputs;
}

std::string Alternation(const std::vector<std::string>& words) {
  std::string choice = "(";
  for (const std::string& word : words) choice += (choice.size() > 1 ? "|" : "") + word;
  return choice + ")";
}

// The generator's surnames, masculine, then as many feminine forms as make 500.
std::vector<std::string> ListedSurnames() {
  std::vector<std::string> surnames;
  for (std::string_view surname : Surnames()) surnames.push_back(Cp1251FromUtf8Lossy(surname));
  for (std::string_view surname : Surnames()) {
    if (surnames.size() == 500) break;
    const std::string text(surname);
    if (surname.ends_with("ов") || surname.ends_with("ев") || surname.ends_with("ин")) {
      surnames.push_back(Cp1251FromUtf8Lossy(text + "а"));
    } else if (surname.ends_with("ий") || surname.ends_with("ой")) {
      surnames.push_back(Cp1251FromUtf8Lossy(text.substr(0, text.size() - std::string_view("ий").size()) + "ая"));
    }
  }
  return surnames;
}

// Numbers spread over the whole table, so that each is found once.
std::vector<std::string> ListedNumbers(size_t count) {
  const std::shared_ptr<const TDirectory> directory = LoadDirectory(BenchDirectory());
  const TPhoneTable& phones = directory->Phones;
  std::vector<std::string> numbers;
  for (size_t i = 0; i < count; ++i) numbers.emplace_back(std::string_view(phones.NumberOf(i * phones.size() / count)));
  return numbers;
}

}  // namespace

// The target: at most 100 ms over 10M city-shaped lines.
static void BM_OwnerSurnames(benchmark::State& state) {
  TSearchInputs inputs = RegexInputs();
  inputs.Owner = Cp1251FromUtf8Lossy("^(иван|петр)ов");
  RunSearch(state, inputs);
}
BENCHMARK(BM_OwnerSurnames)->Unit(benchmark::kMillisecond);

// A literal written as an expression: the plain search for it is the yardstick.
static void BM_OwnerLiteral(benchmark::State& state) {
  TSearchInputs inputs = RegexInputs();
  inputs.Owner = Cp1251FromUtf8Lossy("иван");
  RunSearch(state, inputs);
}
BENCHMARK(BM_OwnerLiteral)->Unit(benchmark::kMillisecond);

static void BM_OwnerAnywhere(benchmark::State& state) {
  TSearchInputs inputs = RegexInputs();
  inputs.Owner = Cp1251FromUtf8Lossy("(ий|ая)\\s");
  RunSearch(state, inputs);
}
BENCHMARK(BM_OwnerAnywhere)->Unit(benchmark::kMillisecond);

static void BM_PhoneStart(benchmark::State& state) {
  TSearchInputs inputs = RegexInputs();
  inputs.Phone = "^8";
  RunSearch(state, inputs);
}
BENCHMARK(BM_PhoneStart)->Unit(benchmark::kMillisecond);

static void BM_CorpusWithCity(benchmark::State& state) {
  TSearchInputs inputs = RegexInputs();
  inputs.Corpus = Cp1251FromUtf8Lossy("^к\\d");
  inputs.CityIndices = {1};
  RunSearch(state, inputs);
}
BENCHMARK(BM_CorpusWithCity)->Unit(benchmark::kMillisecond);

// Ambiguous repetitions that once held the window for minutes: the failure memo
// and the search's step budget keep each within 3 s.
static void BM_PhoneAmbiguousRepetition(benchmark::State& state) {
  TSearchInputs inputs = RegexInputs();
  inputs.Phone = "(\\d|\\d|\\d)*x";
  RunSearch(state, inputs);
}
BENCHMARK(BM_PhoneAmbiguousRepetition)->Unit(benchmark::kMillisecond);

static void BM_OwnerAmbiguousRepetition(benchmark::State& state) {
  TSearchInputs inputs = RegexInputs();
  inputs.Owner = Cp1251FromUtf8Lossy("(а|б|в|[а-я])*ъъ");
  RunSearch(state, inputs);
}
BENCHMARK(BM_OwnerAmbiguousRepetition)->Unit(benchmark::kMillisecond);

// A list of names is an ordinary question: the target is at most 300 ms.
static void BM_OwnerSurnameList(benchmark::State& state) {
  TSearchInputs inputs = RegexInputs();
  inputs.Owner = Alternation(ListedSurnames()) + "\\s";
  RunSearch(state, inputs);
}
BENCHMARK(BM_OwnerSurnameList)->Unit(benchmark::kMillisecond);

static void BM_PhoneNumberList(benchmark::State& state) {
  TSearchInputs inputs = RegexInputs();
  inputs.Phone = "^" + Alternation(ListedNumbers(1000)) + "$";
  RunSearch(state, inputs);
}
BENCHMARK(BM_PhoneNumberList)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
