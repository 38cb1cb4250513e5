#pragma once
// Windows-1251 <-> UTF-8 for the few places outside the window that meet UTF-8:
// file paths in messages, the data tool's tab-separated files, and source literals.

#include <optional>
#include <string>
#include <string_view>

std::string Utf8FromCp1251(std::string_view bytes);
void AppendUtf8FromCp1251(std::string& out, std::string_view bytes);
// nullopt when the text is not well-formed UTF-8 or holds a character
// that Windows-1251 has no byte for.
std::optional<std::string> Cp1251FromUtf8(std::string_view utf8);
// As above, with '?' for every character that cannot be converted.
std::string Cp1251FromUtf8Lossy(std::string_view utf8);
