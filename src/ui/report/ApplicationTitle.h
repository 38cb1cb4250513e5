#pragma once
// The title shared by the main window's caption and the error reports.

#include <QString>

inline QString ApplicationTitle() { return QStringLiteral("Телефонный справочник «Орлинар»"); }
