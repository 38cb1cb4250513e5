#pragma once
// What the window remembers between runs: its place and size, the grid's layout and
// the three check boxes. A value that is missing, of another program or damaged reads
// as the default; nothing read here can stop the start.

#include <QByteArray>
#include <optional>

#include "ui/grid/GridLayout.h"

struct TWindowSettings {
  bool RegExpr = false;
  bool SearchAsYouType = false;
  bool Forgiving = false;
  QByteArray Geometry;  // as QWidget::saveGeometry gives it; empty for none
  std::optional<TGridLayout> Grid;
};

// columnCount and minimumWidth: what a grid layout must fit to be read.
TWindowSettings ReadWindowSettings(int columnCount, int minimumWidth);
void WriteWindowSettings(const TWindowSettings& settings);
