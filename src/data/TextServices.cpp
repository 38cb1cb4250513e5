#include "data/TextServices.h"

#include <charconv>

namespace {

bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= 32; }

}  // namespace

std::string TrimText(std::string_view text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && IsTrimmed(text[first])) ++first;
  while (last > first && IsTrimmed(text[last - 1])) --last;
  return std::string(text.substr(first, last - first));
}

std::string LowerText(std::string_view text) {
  std::string lower(text.size(), '\0');
  for (size_t i = 0; i < text.size(); ++i) lower[i] = LowerChar(text[i]);
  return lower;
}

int TextPos(std::string_view needle, std::string_view text) {
  needle = TextBeforeNul(needle);
  text = TextBeforeNul(text);
  if (needle.empty() || text.empty()) return 0;
  const size_t at = text.find(needle);
  return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

int32_t ParseInteger(std::string_view text) {
  size_t at = 0;
  while (at < text.size() && text[at] == ' ') ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
  const size_t firstDigit = at;
  int64_t magnitude = 0;
  constexpr int64_t limit = int64_t{1} << 31;
  while (at < text.size() && text[at] >= '0' && text[at] <= '9' && magnitude <= limit) {
    magnitude = magnitude * 10 + (text[at++] - '0');
  }
  const bool inRange = magnitude < limit || (negative && magnitude == limit);
  if (at == firstDigit || at != text.size() || !inRange) {
    throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
  }
  return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

std::string IntegerText(int64_t value) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  return std::string(digits, result.ptr);
}
