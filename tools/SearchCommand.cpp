#include "tools/SearchCommand.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "data/Cp1251.h"
#include "data/TextServices.h"
#include "regexpr/RegExpr.h"
#include "search/RunSearch.h"
#include "search/Search.h"
#include "tools/CommandLine.h"
#include "tools/DirectoryTsv.h"

namespace {

constexpr const char* Form = "search DIRECTORY CRITERION... [--regex | --forgiving] [--count] [--time]";

enum TOption { Phone, Owner, City, Street, House, Corpus, Flat, Regex, Forgiving, Count, Time, OptionCount };

struct TOptionName {
  std::string_view Name;
  bool TakesValue;
};

constexpr TOptionName Options[OptionCount] = {{"phone", true},      {"owner", true},  {"city", true}, {"street", true},
                                              {"house", true},      {"corpus", true}, {"flat", true}, {"regex", false},
                                              {"forgiving", false}, {"count", false}, {"time", false}};

std::string Dashed(TOption option) { return "--" + std::string(Options[option].Name); }

struct TRequest {
  std::string Directory;
  std::optional<std::string> Values[OptionCount];  // UTF-8 as given; a flag given holds ""

  bool Given(TOption option) const { return Values[option].has_value(); }
  std::string_view Value(TOption option) const { return Values[option] ? *Values[option] : std::string_view(); }
};

// A long option's name or, as getopt_long allows, an unambiguous start of one.
TOption FindOption(std::string_view name, std::string_view argument) {
  std::vector<TOption> starting;
  for (int option = 0; option < OptionCount && !name.empty(); ++option) {
    if (Options[option].Name == name) return static_cast<TOption>(option);
    if (Options[option].Name.starts_with(name)) starting.push_back(static_cast<TOption>(option));
  }
  if (starting.size() == 1) return starting[0];
  if (starting.empty()) throw EUsageError("unknown option '" + std::string(argument) + "': expected " + Form);
  std::string candidates;
  for (TOption option : starting) candidates += (candidates.empty() ? "" : ", ") + Dashed(option);
  throw EUsageError("ambiguous option '--" + std::string(name) + "': " + candidates);
}

// GNU style: options and the operand in any order, "--" ends the options, "-" is an operand.
TRequest ParseArguments(std::span<char* const> arguments) {
  TRequest request;
  std::vector<std::string_view> operands;
  bool optionsEnded = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (optionsEnded || argument == "-" || !argument.starts_with('-')) {
      operands.push_back(argument);
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    if (!argument.starts_with("--")) {
      throw EUsageError("unknown option '" + std::string(argument) + "': expected " + Form);
    }
    const size_t equals = argument.find('=');
    const TOption option =
        FindOption(argument.substr(2, equals == std::string_view::npos ? equals : equals - 2), argument);
    if (request.Given(option)) throw EUsageError("option '" + Dashed(option) + "' given twice");
    if (!Options[option].TakesValue) {
      if (equals != std::string_view::npos) throw EUsageError("option '" + Dashed(option) + "' takes no value");
      request.Values[option] = "";
    } else if (equals != std::string_view::npos) {
      request.Values[option] = std::string(argument.substr(equals + 1));
    } else if (i + 1 < arguments.size()) {
      request.Values[option] = arguments[++i];
    } else {
      throw EUsageError("option '" + Dashed(option) + "' needs a value");
    }
  }
  if (operands.empty()) throw EUsageError(std::string("missing DIRECTORY: expected ") + Form);
  if (operands.size() > 1) throw EUsageError(std::string("too many arguments: expected ") + Form);
  if (operands[0].empty()) throw EUsageError(std::string("an empty argument: expected ") + Form);
  request.Directory = operands[0];
  return request;
}

std::string Cp1251Value(const TRequest& request, TOption option) {
  const std::optional<std::string> text = Cp1251FromUtf8(request.Value(option));
  if (!text) {
    throw EUsageError(Dashed(option) + " must be UTF-8 text of characters that Windows-1251 has, not '" +
                      std::string(request.Value(option)) + "'");
  }
  return *text;
}

// As the window's masked fields take them: digits only, and at most maxDigits of them.
std::string DigitsValue(const TRequest& request, TOption option, size_t maxDigits, const char* rule) {
  const std::string_view value = request.Value(option);
  if (value.size() > maxDigits ||
      !std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    throw EUsageError(Dashed(option) + " must be " + rule + ", not '" + std::string(value) + "'");
  }
  return std::string(value);
}

std::string EngineText(const ERegExpr& error) {
  return Utf8FromCp1251(error.what()) + " (error " + std::to_string(error.ErrorNumber) + ")";
}

// Compiled once here so that a bad expression is refused before a long load.
void CheckExpression(const std::string& expression, TOption option) {
  if (expression.empty()) return;
  try {
    TRegExpr regex;
    regex.SetExpression(expression);
    regex.EnsureProgram();
  } catch (const ERegExpr& error) {
    throw ECommandError("the " + Dashed(option) + " expression does not compile: " + EngineText(error));
  }
}

// The window's search fields; a city or street keeps its name until the directory is read.
struct TQuery {
  TSearchInputs Inputs;
  std::string CityName;
  std::string StreetName;
};

TQuery MakeQuery(const TRequest& request) {
  TQuery query;
  TSearchInputs& inputs = query.Inputs;
  // Forgiving reads plain texts loosely; an expression says exactly what it means.
  if (request.Given(Regex) && request.Given(Forgiving)) throw EUsageError("--regex and --forgiving exclude each other");
  inputs.RegExpr = request.Given(Regex);
  inputs.Forgiving = request.Given(Forgiving);
  inputs.Phone = inputs.RegExpr ? Cp1251Value(request, Phone) : DigitsValue(request, Phone, SIZE_MAX, "digits");
  inputs.Owner = Cp1251Value(request, Owner);
  query.CityName = Cp1251Value(request, City);
  query.StreetName = Cp1251Value(request, Street);
  inputs.House = DigitsValue(request, House, 5, "1 to 5 digits");
  inputs.Corpus = Cp1251Value(request, Corpus);
  inputs.Flat = DigitsValue(request, Flat, 5, "1 to 5 digits");
  // An empty field is no criterion in the window either.
  const bool any = !inputs.Phone.empty() || !TrimText(inputs.Owner).empty() || !query.CityName.empty() ||
                   !query.StreetName.empty() || !inputs.House.empty() || !TrimText(inputs.Corpus).empty() ||
                   !inputs.Flat.empty();
  if (!any) {
    throw EUsageError(
        "at least one criterion is required: --phone, --owner, --city, --street, --house, --corpus "
        "or --flat");
  }
  if (inputs.RegExpr) {
    const SearchCriteria criteria = MakeSearchCriteria(inputs);
    CheckExpression(criteria.Phone, Phone);
    CheckExpression(criteria.Owner, Owner);
    CheckExpression(criteria.Corpus, Corpus);
  }
  return query;
}

// Every index carrying name, ignoring case, as the window's drop-down merges them.
std::vector<int32_t> IndicesNamed(const std::vector<std::string>& names, const std::string& name, const char* what,
                                  const std::string& folder) {
  std::vector<int32_t> indices;
  if (name.empty()) return indices;
  const std::string lower = LowerText(name);
  for (size_t i = 1; i < names.size(); ++i) {
    if (LowerText(names[i]) == lower) indices.push_back(static_cast<int32_t>(i));
  }
  if (indices.empty())
    throw ECommandError(std::string("no ") + what + " named '" + Utf8FromCp1251(name) + "' in " + folder);
  return indices;
}

// The grid's first order: number text by bytes, ties in table order. The text padded
// with NUL bytes (which sort before every character) and read as big-endian words
// compares as the text does, in three integer comparisons; the row fills the last word.
void OrderByNumber(const TDirectory& directory, std::vector<int32_t>& rows) {
  static_assert(TNumberText::Capacity == 20);
  struct TKey {
    uint64_t High, Middle, LowAndRow;
    bool operator<(const TKey& other) const {
      return std::tie(High, Middle, LowAndRow) < std::tie(other.High, other.Middle, other.LowAndRow);
    }
  };
  auto word = [](const unsigned char* bytes, int count) {
    uint64_t value = 0;
    for (int i = 0; i < count; ++i) value = value << 8 | bytes[i];
    return value;
  };
  std::vector<TKey> keys(rows.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    const TNumberText number = directory.Phones.NumberOf(static_cast<size_t>(rows[i]));
    const std::string_view text = number;
    std::array<unsigned char, TNumberText::Capacity> padded{};
    std::copy(text.begin(), text.end(), padded.begin());
    keys[i] = {word(&padded[0], 8), word(&padded[8], 8), word(&padded[16], 4) << 32 | static_cast<uint32_t>(rows[i])};
  }
  std::sort(keys.begin(), keys.end());
  for (size_t i = 0; i < keys.size(); ++i) rows[i] = static_cast<int32_t>(keys[i].LowAndRow & UINT32_MAX);
}

void Write(std::string_view text) {
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) {
    throw ECommandError("cannot write to standard output");
  }
}

void PrintLines(const TDirectory& directory, const std::vector<int32_t>& rows) {
  constexpr size_t ChunkBytes = 1 << 20;
  std::string chunk, scratch;
  for (int32_t row : rows) {
    AppendTsvLine(directory, static_cast<size_t>(row), chunk, scratch);
    if (chunk.size() >= ChunkBytes) {
      Write(chunk);
      chunk.clear();
    }
  }
  Write(chunk);
}

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int SearchCommand(std::span<char* const> arguments) {
  const TRequest request = ParseArguments(arguments);
  TQuery query = MakeQuery(request);

  const auto loadStart = std::chrono::steady_clock::now();
  std::shared_ptr<const TDirectory> loaded;
  try {
    loaded = LoadReadableDirectory(request.Directory);
  } catch (const std::exception& error) {
    throw ECommandError(error.what());
  }
  const TDirectory& directory = *loaded;
  const double loadMilliseconds = MillisecondsSince(loadStart);

  const auto searchStart = std::chrono::steady_clock::now();
  query.Inputs.CityIndices = IndicesNamed(directory.Cities, query.CityName, "city", request.Directory);
  query.Inputs.StreetIndices = IndicesNamed(directory.Streets, query.StreetName, "street", request.Directory);
  TSearchOutcome outcome = RunSearch(directory, query.Inputs, nullptr, nullptr);
  if (outcome.Error) {
    try {
      std::rethrow_exception(outcome.Error);
    } catch (const ERegExpr& error) {
      throw ECommandError("the search stopped: " + EngineText(error));
    } catch (const std::exception& error) {
      throw ECommandError(std::string("the search stopped: ") + error.what());
    }
  }
  std::vector<int32_t>& rows = outcome.Rows;
  // A count needs no order.
  if (!request.Given(Count)) OrderByNumber(directory, rows);
  const double searchMilliseconds = MillisecondsSince(searchStart);

  if (request.Given(Count)) {
    Write(std::to_string(rows.size()) + "\n");
  } else {
    PrintLines(directory, rows);
  }
  if (std::fflush(stdout) != 0) throw ECommandError("cannot write to standard output");
  if (request.Given(Time)) std::fprintf(stderr, "load %.1f ms, search %.1f ms\n", loadMilliseconds, searchMilliseconds);
  return rows.empty() ? 1 : 0;
}
