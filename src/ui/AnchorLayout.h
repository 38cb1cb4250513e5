#pragma once
// Places widgets at fixed design rectangles and keeps chosen edges at their design
// distance from the container's edges when it is resized: a widget anchored left
// and right stretches, one anchored right only moves with the right edge.

#include <QLayout>
#include <QRect>
#include <vector>

enum TAnchor { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };

class TAnchorLayout : public QLayout {
 public:
  // designSize: the container's size for which the design rectangles are given.
  TAnchorLayout(QSize designSize, QWidget* parent);
  ~TAnchorLayout() override;

  void AddWidget(QWidget* widget, QRect designRect, int anchors);

  void addItem(QLayoutItem* item) override;
  QLayoutItem* itemAt(int index) const override;
  QLayoutItem* takeAt(int index) override;
  int count() const override;
  QSize sizeHint() const override;
  QSize minimumSize() const override;
  void setGeometry(const QRect& rect) override;

 private:
  struct TPlacement {
    QLayoutItem* Item;
    QRect DesignRect;
    int Anchors;
  };
  static QRect Place(const TPlacement& placement, QSize growth);

  QSize designSize_;
  std::vector<TPlacement> placements_;
};
