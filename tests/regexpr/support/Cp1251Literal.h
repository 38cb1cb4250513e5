#pragma once
// Readable Russian test texts: UTF-8 literals turned into the Windows-1251
// bytes that the engine works on.

#include <string>
#include <string_view>

std::string Cp(std::string_view utf8);

// The 33 Russian letters in Windows-1251, in alphabet order: ё (0xB8, 0xA8) lies
// outside the two 32-byte ranges.
extern const std::string RussianLower;
extern const std::string RussianUpper;
