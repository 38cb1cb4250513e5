#pragma once
// Text and number services over Windows-1251 byte strings.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "cp1251/Cp1251Table.h"

class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Removes every byte <= 32 from both ends.
std::string TrimText(std::string_view text);
// Maps the 73 upper-case letters of Windows-1251 to lower case; same length.
std::string LowerText(std::string_view text);
// 1-based position of the first occurrence of needle in text, 0 for none.
// Both texts end at their first NUL byte; an empty needle or text gives 0.
int TextPos(std::string_view needle, std::string_view text);
// Throws EConvertError("'<text>' is not a valid integer value").
int32_t ParseInteger(std::string_view text);
std::string IntegerText(int64_t value);

// LowerText of one byte, for loops that lower-case in place.
inline char LowerChar(char c) { return static_cast<char>(cp1251::LowerCase[static_cast<unsigned char>(c)]); }

// The text up to its first NUL byte: where TextPos stops reading.
inline std::string_view TextBeforeNul(std::string_view text) { return text.substr(0, text.find('\0')); }
