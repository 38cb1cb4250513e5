#pragma once
// Window texts are written in UTF-8 source and compared as QString.

#include <QString>

inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }
