#pragma once
// Test texts are written in UTF-8 source and compared as Windows-1251 bytes.

#include <string>
#include <string_view>

#include "data/Cp1251.h"

inline std::string W(std::string_view utf8) { return Cp1251FromUtf8Lossy(utf8); }
