#pragma once

#include <QString>
#include <Qt>

struct TGridColumn {
  QString Name;             // objectName of the column, e.g. "colPhone"
  QString Header;           // "Телефон"
  int Width;                // initial width in pixels
  Qt::Alignment Alignment;  // cell alignment
};
