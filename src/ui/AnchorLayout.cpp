#include "ui/AnchorLayout.h"

#include <QWidget>

TAnchorLayout::TAnchorLayout(QSize designSize, QWidget* parent) : QLayout(parent), designSize_(designSize) {
  setContentsMargins(0, 0, 0, 0);
}

TAnchorLayout::~TAnchorLayout() {
  for (auto& placement : placements_) delete placement.Item;
}

void TAnchorLayout::AddWidget(QWidget* widget, QRect designRect, int anchors) {
  addChildWidget(widget);
  placements_.push_back({new QWidgetItem(widget), designRect, anchors});
  invalidate();
}

void TAnchorLayout::addItem(QLayoutItem* item) { placements_.push_back({item, QRect(), akLeft | akTop}); }

QLayoutItem* TAnchorLayout::itemAt(int index) const {
  return index >= 0 && index < count() ? placements_[static_cast<size_t>(index)].Item : nullptr;
}

QLayoutItem* TAnchorLayout::takeAt(int index) {
  if (index < 0 || index >= count()) return nullptr;
  QLayoutItem* item = placements_[static_cast<size_t>(index)].Item;
  placements_.erase(placements_.begin() + index);
  return item;
}

int TAnchorLayout::count() const { return static_cast<int>(placements_.size()); }

QSize TAnchorLayout::sizeHint() const { return designSize_; }

// The window sets its own minimum; the layout imposes none.
QSize TAnchorLayout::minimumSize() const { return QSize(0, 0); }

QRect TAnchorLayout::Place(const TPlacement& placement, QSize growth) {
  QRect r = placement.DesignRect;
  auto stretchOrMove = [](int& start, int& length, int grow, bool nearAnchor, bool farAnchor) {
    if (nearAnchor && farAnchor) length += grow;
    else if (farAnchor) start += grow;
  };
  int x = r.x(), width = r.width(), y = r.y(), height = r.height();
  stretchOrMove(x, width, growth.width(), placement.Anchors & akLeft, placement.Anchors & akRight);
  stretchOrMove(y, height, growth.height(), placement.Anchors & akTop, placement.Anchors & akBottom);
  return QRect(x, y, std::max(0, width), std::max(0, height));
}

void TAnchorLayout::setGeometry(const QRect& rect) {
  QLayout::setGeometry(rect);
  QSize growth = rect.size() - designSize_;
  // Straight to the widget: an item would shrink fixed-height fields to their size hint.
  for (const auto& placement : placements_) {
    QRect placed = Place(placement, growth).translated(rect.topLeft());
    if (QWidget* widget = placement.Item->widget()) widget->setGeometry(placed);
    else placement.Item->setGeometry(placed);
  }
}
