#include "ui/print/PrintedList.h"

#include <utility>

#include "ui/grid/ResultGrid.h"

TPrintedList PrintedListOf(const TResultGrid& grid, std::shared_ptr<const TCellSource> source,
                           const QString& conditions) {
  TPrintedList list;
  for (int column : grid.ShownColumns()) {
    list.Columns.push_back({grid.ColumnHeader(column), column, grid.ColumnWidth(column), grid.ColumnAlignment(column)});
  }
  list.Keys = grid.ShownKeys();
  for (const TGroupStart& group : grid.GroupStarts()) {
    list.Headings.push_back(
        {group.Row, group.Level, QStringLiteral("%1: %2").arg(grid.ColumnHeader(group.Column), group.Value)});
  }
  list.Conditions = conditions;
  list.Printed = QDateTime::currentDateTime();
  list.Source = std::move(source);
  return list;
}
