#pragma once
// The strip above the header: a hint while nothing is grouped, else one button per
// grouping column, in grouping order.

#include <QString>
#include <QWidget>
#include <vector>

struct TGroupButton {
  int Column;
  QString Text;
  int Direction;  // +1 ascending, -1 descending
};

class TGroupArea : public QWidget {
  Q_OBJECT
 public:
  explicit TGroupArea(QWidget* parent = nullptr);
  void SetButtons(std::vector<TGroupButton> buttons);
  // Set while a header is dragged over the area.
  void SetDropHighlight(bool on);
  QRect ButtonRect(size_t index) const;
  QSize sizeHint() const override;

 signals:
  void buttonClicked(int column);
  void buttonDraggedOut(int column, QPoint globalPos);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  int ButtonAt(QPoint pos) const;

  std::vector<TGroupButton> buttons_;
  int pressed_ = -1;
  bool highlight_ = false;
};
