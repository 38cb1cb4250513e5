#pragma once
// Readable Russian test texts: UTF-8 literals turned into the Windows-1251 bytes that
// the directory and the engine work on. A text with no Windows-1251 spelling is a
// mistake in the test, not a case to convert lossily.

#include <stdexcept>
#include <string>
#include <string_view>

#include "data/Cp1251.h"

inline std::string Cp(std::string_view utf8) {
  std::optional<std::string> bytes = Cp1251FromUtf8(utf8);
  if (!bytes) throw std::invalid_argument("not Windows-1251 text");
  return *bytes;
}

// The 33 Russian letters in Windows-1251, in alphabet order: ё (0xB8, 0xA8) lies
// outside the two 32-byte ranges.
inline const std::string RussianLower =
    "\xE0\xE1\xE2\xE3\xE4\xE5\xB8\xE6\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF"
    "\xF0\xF1\xF2\xF3\xF4\xF5\xF6\xF7\xF8\xF9\xFA\xFB\xFC\xFD\xFE\xFF";
inline const std::string RussianUpper =
    "\xC0\xC1\xC2\xC3\xC4\xC5\xA8\xC6\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF"
    "\xD0\xD1\xD2\xD3\xD4\xD5\xD6\xD7\xD8\xD9\xDA\xDB\xDC\xDD\xDE\xDF";
