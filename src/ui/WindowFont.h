#pragma once

#include <QFont>

// Tahoma 8 pt where installed, otherwise a face with Cyrillic glyphs of the same size.
QFont WindowFont();
