#pragma once
// The result rows as a flat item model: ungrouped, one item row per result row;
// grouped, the shown group rows and the rows of expanded groups, one after another.
// A flat list keeps the view's per-row cost to a few bytes, whatever the grouping.

#include <QAbstractTableModel>
#include <optional>
#include <utility>
#include <vector>

#include "ui/grid/CellSource.h"
#include "ui/grid/GridColumn.h"
#include "ui/grid/GroupOutline.h"
#include "ui/grid/GroupStart.h"
#include "ui/grid/OrderedRows.h"
#include "ui/grid/RowStore.h"
#include "ui/grid/ViewOrder.h"

class TGridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  TGridModel(std::vector<TGridColumn> columns, const TCellSource& source, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // Row changes made outside BeginUpdate/EndUpdate are gathered into an update that
  // ends when control returns to the event loop, so rows are still ordered once.
  void BeginUpdate();
  void EndUpdate();
  void ClearRows();
  void AppendRow(uint32_t key);
  // Replaces the rows like ClearRows and AppendRow, inside the same kind of update.
  // Rows ordered by the view's keys and grouping as they stand when the update ends
  // are shown as they come; otherwise they are ordered again then.
  void TakeRows(TOrderedRows rows);
  int ResultCount() const { return static_cast<int>(rows_.Size()); }
  // Every result row's key in the order shown, collapsed groups' rows included.
  std::vector<uint32_t> ResultKeys() const;
  // Every non-empty group, expanded or not, by the position of its first row in
  // ResultKeys, outer groups before the inner ones that begin with them.
  std::vector<TGroupStart> GroupStarts() const;

  const TViewOrder& Order() const { return order_; }
  void ClickHeader(int column, bool shift, bool ctrl);
  void GroupBy(int column);
  // The sort list and grouping of an earlier run, as if the user had chosen them.
  void RestoreOrder(const std::vector<TSortKey>& sort, const std::vector<int>& grouping);
  void Ungroup(int column);

  bool IsGroupRow(int row) const;
  int GroupLevel(int row) const;
  bool IsExpanded(int row) const;
  QString GroupText(int row) const;  // "Город : Заречный"
  void SetExpanded(int row, bool expanded);

  // Data rows only; false when row is a group row or out of range.
  bool RemoveResultRow(int row);
  // The data rows among rows (shown rows, any order); group rows stay. Returns how
  // many went.
  int RemoveResultRows(std::vector<int> rows);
  // An empty row at the shown row's place (at the end when row is -1 and nothing is
  // grouped); returns its shown row, or -1 when nothing was inserted.
  int InsertEmptyRow(int row);
  QString CellDisplay(int row, int column) const;
  // The row's cells with their headers, or a group row's heading.
  QString RowAnnouncement(int row) const;
  // The horizontal part of a column's cell alignment.
  Qt::Alignment ColumnAlignment(int column) const;

 signals:
  void orderChanged();

 private:
  bool IsGrouped() const { return !order_.Grouping().empty(); }
  // Store position of the result row shown at row, or -1 for a group row.
  long long PositionOf(int row) const;
  QString GroupValue(uint32_t group) const;
  void RowsChanging();
  void Reorder();
  // Ordering that starts from a grouped or ends in a grouped view rebuilds the view.
  void ReorderNow();
  // Otherwise the rows only move, and the focused and selected rows move with them.
  void ResortKeepingRows();

  std::vector<TGridColumn> columns_;
  const TCellSource& source_;
  TRowStore rows_;
  TViewOrder order_;
  TGroupOutline outline_;
  // What the taken rows were ordered and grouped by, until the update ends.
  std::optional<std::pair<std::vector<TSortKey>, size_t>> takenOrder_;
  int updateDepth_ = 0;
  bool rowsChanged_ = false;
};
