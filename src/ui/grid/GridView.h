#pragma once
// The table view of the result rows: wrapped read-only cells with rows as high as
// their tallest cell (measured only for what is on screen), group rows across the
// whole width, and the keyboard commands on the focused row.

#include <QTableView>
#include <vector>

#include "ui/grid/GridModel.h"

class TGridView : public QTableView {
  Q_OBJECT
 public:
  explicit TGridView(TGridModel& model, QWidget* parent = nullptr);
  // Typed characters do nothing: there is no jumping to a row by its first letters.
  void keyboardSearch(const QString&) override {}
  // The columns not hidden (logical indices), in the order shown.
  std::vector<int> ShownColumns() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  int sizeHintForRow(int row) const override;

 private:
  // Header texts of the shown columns in display order, then the cells of each data
  // row: the text the copy command puts on the clipboard. Empty without a data row.
  QString RowsAsText(const std::vector<int>& rows) const;
  // The selected data rows in shown order, else the current one.
  std::vector<int> ChosenRows() const;
  // Measures the rows that are on screen (and the last screenful, which fixes the
  // scroll range) and gives them their wrapped height.
  void FitShownRowHeights();
  void PaintGroupRows(QPainter& painter) const;
  void PaintEmptyText(QPainter& painter) const;
  QRect ExpanderRect(int row) const;
  void ConfirmAndRemove();
  void InsertEmptyRow();
  void CopyRows() const;
  // Rows from first on, in steps of step, until their heights fill room.
  void FitRowsFrom(int first, int step, int room);

  TGridModel& model_;
  bool lastRowsPending_ = false;
};
