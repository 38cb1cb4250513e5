#pragma once
// The column header: centred texts cut with "…" at the end, a direction mark on
// every sorted column, clicks reported with their modifier keys, and headers
// dragged up out of the row.

#include <QHeaderView>
#include <functional>

class TGridHeader : public QHeaderView {
  Q_OBJECT
 public:
  // direction(column): 0 unsorted, +1 ascending, -1 descending.
  TGridHeader(std::function<int(int)> direction, QWidget* parent = nullptr);

 signals:
  void sectionClickedWith(int logicalIndex, Qt::KeyboardModifiers modifiers);
  // A header was dragged above the header row and let go at globalPos.
  void sectionDraggedOut(int logicalIndex, QPoint globalPos);
  void sectionDragMoved(QPoint globalPos, bool outside);

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void OnSectionClicked(int logicalIndex);
  // Presses there resize a section rather than drag it.
  bool OnSectionEdge(int x) const;
  // The same event with the position put back where the press was, so that the
  // header neither moves a section nor resizes one while a drag is outside.
  QMouseEvent AtPressPosition(const QMouseEvent& event) const;

  std::function<int(int)> direction_;
  int pressedSection_ = -1;
  QPoint pressPos_;
  bool draggingOut_ = false;
  Qt::KeyboardModifiers releaseModifiers_;
};
