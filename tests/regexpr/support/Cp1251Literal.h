#pragma once
// Readable Russian test texts: UTF-8 literals turned into the Windows-1251
// bytes that the engine works on.

#include <string>
#include <string_view>

std::string Cp(std::string_view utf8);
