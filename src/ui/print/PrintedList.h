#pragma once
// What a print of the found list shows, taken from the grid when the user asks for
// it: the preview repaints from this copy, whatever the grid does meanwhile.

#include <QDateTime>
#include <QString>
#include <Qt>
#include <cstdint>
#include <memory>
#include <vector>

#include "ui/grid/CellSource.h"

class TResultGrid;

struct TPrintColumn {
  QString Header;
  int Column;  // logical index, as the cell source reads it
  int Width;   // on screen: the printed widths keep these proportions
  Qt::Alignment Alignment;
};

struct TPrintHeading {
  size_t Row;  // the heading stands before this row of Keys
  size_t Level;
  QString Text;  // "Город: Самара"
};

struct TPrintedList {
  std::vector<TPrintColumn> Columns;
  std::vector<uint32_t> Keys;
  std::vector<TPrintHeading> Headings;  // by Row, outer before inner
  QString Conditions;                   // "№ телефона: 12; Город: Самара"; empty for none
  QDateTime Printed;
  // Reads the keys' cells, and keeps what they index, whatever the window turns to
  // while a preview is open.
  std::shared_ptr<const TCellSource> Source;
};

// The grid's rows and columns in the order it shows them, collapsed groups included.
// source reads the keys as the grid's own source does now.
TPrintedList PrintedListOf(const TResultGrid& grid, std::shared_ptr<const TCellSource> source,
                           const QString& conditions);
