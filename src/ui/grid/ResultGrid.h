#pragma once
// The result list: rows of 32-bit keys whose texts come from a TCellSource, ordered
// byte-wise by the grouping and sort columns the user picks (they, the column order
// and the widths survive every refill), grouped under expandable group rows.
//
// Rows the user inserts with the Insert key carry kEmptyRowKey: their cells are empty,
// the source never sees that key, and they stay, ordered like any row with empty
// texts, until the next ClearRows.

#include <QWidget>
#include <cstdint>
#include <vector>

#include "ui/grid/CellSource.h"
#include "ui/grid/GridColumn.h"
#include "ui/grid/GridLayout.h"
#include "ui/grid/GroupStart.h"
#include "ui/grid/OrderedRows.h"

class QAbstractItemView;
class TGridHeader;
class TGridModel;
class TGridView;
class TGroupArea;

class TResultGrid : public QWidget {  // the window sets objectName "gPhones"; the view inside is "tvPhones"
  Q_OBJECT
 public:
  TResultGrid(std::vector<TGridColumn> columns, const TCellSource& source, QWidget* parent = nullptr);
  void BeginUpdate();            // nesting counter: no re-ordering, re-grouping or repainting while > 0
  void EndUpdate();              // outermost end: if rows changed, order (and group) once, repaint
  void ClearRows();              // row count 0; insertion numbers restart at 0
  void AppendRow(uint32_t key);  // never sorts or repaints by itself
  // All rows at once, ordered (and grouped) elsewhere, ideally by Order() as it stands.
  void TakeRows(TOrderedRows rows);
  const TViewOrder& Order() const;
  int RowCount() const;
  // The rows and the visible columns (logical indices) in the order shown.
  std::vector<uint32_t> ShownKeys() const;
  std::vector<int> ShownColumns() const;
  // The groups among ShownKeys, collapsed ones included; empty when not grouped.
  std::vector<TGroupStart> GroupStarts() const;
  // A shown column's width on screen, and its cells' alignment.
  int ColumnWidth(int column) const;
  Qt::Alignment ColumnAlignment(int column) const;
  QString ColumnHeader(int column) const;
  int ColumnCount() const { return static_cast<int>(preferredWidths_.size()); }
  int MinimumColumnWidth() const;
  // Column order and widths, sort list and grouping, to be restored at the next start.
  TGridLayout Layout() const;
  // A layout for other columns than these is ignored.
  void RestoreLayout(const TGridLayout& layout);
  QAbstractItemView* View() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The view's menu (the context-menu key or a right click) sorts and groups by the
  // current column, so that neither needs the mouse.
  void CreateOrderActions();
  int CurrentColumn() const;
  void OnHeaderClicked(int column, Qt::KeyboardModifiers modifiers);
  void OnHeaderDraggedOut(int column, QPoint globalPos);
  void OnButtonDraggedOut(int column, QPoint globalPos);
  void OnOrderChanged();
  void OnSectionResized(int logical, int oldSize, int newSize);
  // Widths re-scaled to fill the view; the user's column keeps its width if given.
  void FitColumns(int fixedLogical = -1);

  // Proportions to keep, by logical column: the initial widths, then the user's.
  // Scaling always starts from them, so a view that is briefly narrow (as while the
  // window is built) never flattens the columns to equal widths.
  std::vector<int> preferredWidths_;
  TGridModel* model_;
  TGroupArea* groupArea_;
  TGridHeader* header_;
  TGridView* view_;
  bool fitting_ = false;
};
