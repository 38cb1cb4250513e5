#pragma once
// The grid's rows saved as a file: a spreadsheet's CSV of the columns shown, or the
// data tool's import lines, so that a list can become a directory of its own.

#include <QString>

#include "data/Directory.h"
#include "ui/grid/CellSource.h"

class TResultGrid;

enum class TListFormat { Csv, Tsv };

// The format a file name asks for: its suffix, else the chosen filter's.
TListFormat ListFormatOf(const QString& path, TListFormat chosen);

// Writes beside path and renames over it only when all is written: a failure leaves
// an existing file as it was. Returns the rows written; throws std::runtime_error
// with a Windows-1251 message that names the file. Rows the user inserted empty are
// no directory lines, so the import lines leave them out.
size_t SaveList(const QString& path, TListFormat format, const TResultGrid& grid, const TCellSource& source,
                const TDirectory& directory);
