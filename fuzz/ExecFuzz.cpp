// One expression object executed over many subjects, as the search reuses its
// compiled expression for every record, under the modifiers and the paired line
// separator that the input selects. Each subject's answer and match record must
// equal a fresh object's; a start offset must agree with the search from the first
// character; a NUL ends the subject; and no execution may raise an error that only
// a corrupted program or matcher can cause.
//
// Input: byte 0 holds the modifier word (bits 0-5) and the paired separator
// (bits 6-7: 0 the default CR LF, 1 none, 2 the two bytes that follow, 3 the one
// byte that follows, which must be refused); then the expression up to the first
// NUL; then up to 8 subjects, each a length byte, an offset byte and that many
// bytes. The length byte caps a subject at 255 bytes, the longest directory text:
// a simple repetition is retried from every start position, so time grows with the
// square of the length. That is harmless over directory texts, but over longer
// subjects the timeouts would hide the real findings.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "regexpr/MatchLimits.h"
#include "regexpr/RegExpr.h"

namespace {

constexpr size_t MaxSubjects = 8;
using regexpr::ErrorBadOffset;
using regexpr::ErrorBadPairedSeparator;
using regexpr::ErrorLoopStackExceeded;
using regexpr::ErrorNoExpression;

void Require(bool condition) {
  if (!condition) std::abort();
}

// Parse errors that a text can cause; the three others mean the parser lost track.
bool IsCompileError(int code) {
  return code >= regexpr::ErrorTooManyGroups && code <= regexpr::ErrorBadModifier && code != regexpr::ErrorJunkOnEnd &&
         code != regexpr::ErrorInternal && code != regexpr::ErrorLiteralDisaster;
}

// The bounds on one execution, which an expression over some subject may reach.
bool IsBoundError(int code) { return code == regexpr::ErrorMatchTooDeep || code == regexpr::ErrorMatchTooLong; }

bool IsAllowedExecError(int code) {
  return IsCompileError(code) || code == ErrorNoExpression || code == ErrorLoopStackExceeded || IsBoundError(code);
}

struct TSettings {
  int Modifiers = 0;
  int PairMode = 0;  // as bits 6-7 of byte 0
  std::string Pair;
};

TSettings TakeSettings(std::string_view& rest) {
  TSettings settings;
  const auto first = static_cast<uint8_t>(rest[0]);
  rest.remove_prefix(1);
  settings.Modifiers = first & 63;
  settings.PairMode = first >> 6;
  const size_t pairBytes = settings.PairMode == 2 ? 2 : settings.PairMode == 3 ? 1 : 0;
  settings.Pair = std::string(rest.substr(0, pairBytes));
  rest.remove_prefix(settings.Pair.size());
  return settings;
}

// The input's modifier word holds bit 1 << (index - 1) for each modifier that is on.
bool ModifierIsOn(const TSettings& settings, TModifier modifier) {
  return (settings.Modifiers >> (static_cast<int>(modifier) - 1)) & 1;
}

// Only two different characters or none make a paired separator; anything else is
// refused with ErrorBadPairedSeparator at position 0, leaving the object as it was.
void Apply(TRegExpr& regex, const TSettings& settings) {
  for (int index = 1; index <= 6; ++index) {
    const auto modifier = static_cast<TModifier>(index);
    regex.SetModifier(modifier, ModifierIsOn(settings, modifier));
  }
  if (settings.PairMode == 0) return;
  const std::string text = settings.PairMode == 1 ? std::string() : settings.Pair;
  const bool valid = text.empty() || (text.size() == 2 && text[0] != text[1]);
  try {
    regex.SetLinePairedSeparator(text);
    Require(valid);
  } catch (const ERegExpr& error) {
    Require(!valid && error.ErrorNumber == ErrorBadPairedSeparator && error.ErrorPosition == 0);
    Require(std::string_view(error.what()).ends_with(" (pos 0)"));
  }
}

// Without multi-line anchors and with "." matching every character, the paired
// separator plays no part, unless the expression switches modifiers itself.
bool SeparatorIrrelevant(const TSettings& settings, std::string_view expression) {
  return !ModifierIsOn(settings, TModifier::M) && ModifierIsOn(settings, TModifier::S) &&
         expression.find("(?") == std::string_view::npos;
}

// An execution's answer or error code and, when it ended normally, its match record.
struct TOutcome {
  bool Matched = false;
  int Error = 0;
  std::array<int, regexpr::MaxGroups> Starts{};
  std::array<int, regexpr::MaxGroups> Ends{};
  bool operator==(const TOutcome&) const = default;
};

template <typename Run>
TOutcome Outcome(const TRegExpr& regex, Run run) {
  TOutcome outcome;
  try {
    outcome.Matched = run();
  } catch (const ERegExpr& error) {
    outcome.Error = error.ErrorNumber;
    return outcome;  // the record is left half written and means nothing
  }
  for (int n = 0; n < regexpr::MaxGroups; ++n) {
    outcome.Starts[n] = regex.GroupStart(n);
    outcome.Ends[n] = regex.GroupEnd(n);
  }
  return outcome;
}

// A failed search leaves every entry clear; a match has entry 0 inside the text,
// and every group it reached lies inside the match.
void RequireSoundRecord(const TOutcome& outcome, int length) {
  if (outcome.Error != 0) return;
  for (int n = 0; n < regexpr::MaxGroups; ++n) {
    const int start = outcome.Starts[n];
    const int end = outcome.Ends[n];
    if (!outcome.Matched || (n > 0 && start < 0)) {
      Require(start == -1 && end == -1);
    } else {
      Require(0 <= outcome.Starts[0] && outcome.Starts[0] <= start && start <= end && end <= outcome.Ends[0] &&
              outcome.Ends[0] <= length);
    }
  }
}

// regex holds text as its input and found whole over it.
void CheckOffsets(TRegExpr& regex, std::string_view text, const TOutcome& whole, uint8_t offsetByte) {
  const int length = static_cast<int>(text.size());
  const int offset = offsetByte % (length + 3);
  const TOutcome from = Outcome(regex, [&] { return regex.ExecAt(offset); });
  if (offset == 0) {
    Require(from.Error == ErrorBadOffset);
  } else if (offset > length + 1) {
    Require(!from.Matched && from.Error == 0);
  } else {
    Require(from.Error == 0 || IsAllowedExecError(from.Error));
    RequireSoundRecord(from, length);
    // Starting later only drops start positions: what is found lies at or after the
    // offset and no earlier than the first match, and that match is found again
    // when it lies at or after the offset.
    if (from.Matched) Require(whole.Matched && from.Starts[0] >= offset - 1 && from.Starts[0] >= whole.Starts[0]);
    if (from.Matched && regex.Anchored()) Require(offset == 1);
    if (whole.Matched && whole.Starts[0] >= offset - 1) Require(from == whole);
  }
  if (whole.Matched) Require(Outcome(regex, [&] { return regex.ExecAt(whole.Starts[0] + 1); }) == whole);
}

// Returns false when the subject ran into a bound on one execution: that costs
// a quarter of a second under the sanitizers, and each further execution would
// cost as much again, so the input ends there.
bool CheckSubject(TRegExpr& regex, const TSettings& settings, std::string_view expression, std::string_view subject,
                  uint8_t offsetByte, TRegExpr* defaultSeparator) {
  const std::string_view text = subject.substr(0, subject.find('\0'));
  const auto length = static_cast<int>(text.size());
  const TOutcome whole = Outcome(regex, [&] { return regex.Exec(subject); });
  Require(whole.Error == 0 || IsAllowedExecError(whole.Error));
  if (IsBoundError(whole.Error)) return false;
  RequireSoundRecord(whole, length);

  TRegExpr fresh;
  Apply(fresh, settings);
  fresh.SetExpression(expression);
  Require(Outcome(fresh, [&] { return fresh.Exec(subject); }) == whole);
  if (text.size() != subject.size()) Require(Outcome(regex, [&] { return regex.Exec(text); }) == whole);
  if (defaultSeparator != nullptr)
    Require(Outcome(*defaultSeparator, [&] { return defaultSeparator->Exec(subject); }) == whole);
  if (whole.Error == 0) CheckOffsets(regex, text, whole, offsetByte);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  const TSettings settings = TakeSettings(rest);
  const size_t nul = rest.find('\0');
  const std::string_view expression = rest.substr(0, nul);
  rest = nul == std::string_view::npos ? std::string_view() : rest.substr(nul + 1);

  TRegExpr regex;
  Apply(regex, settings);
  regex.SetExpression(expression);
  std::unique_ptr<TRegExpr> defaultSeparator;
  if (settings.PairMode == 2 && SeparatorIrrelevant(settings, expression)) {
    defaultSeparator = std::make_unique<TRegExpr>();
    Apply(*defaultSeparator, TSettings{settings.Modifiers, 0, {}});
    defaultSeparator->SetExpression(expression);
  }
  for (size_t count = 0; count < MaxSubjects && rest.size() >= 2; ++count) {
    const auto length = static_cast<uint8_t>(rest[0]);
    const auto offsetByte = static_cast<uint8_t>(rest[1]);
    const std::string_view subject = rest.substr(2, length);
    rest.remove_prefix(2 + subject.size());
    if (!CheckSubject(regex, settings, expression, subject, offsetByte, defaultSeparator.get())) break;
  }
  return 0;
}
