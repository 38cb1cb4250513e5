#pragma once
// One column of the result grid as the window describes it.

#include <QString>
#include <Qt>

struct TGridColumn {
  QString Header;           // "Телефон"
  int Width;                // initial width in pixels
  Qt::Alignment Alignment;  // cell alignment
};
