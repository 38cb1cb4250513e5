#include "ui/grid/GridHeader.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionHeader>

TGridHeader::TGridHeader(std::function<int(int)> direction, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), direction_(std::move(direction)) {
  setDefaultAlignment(Qt::AlignCenter);
  setSectionsClickable(true);
  setSectionsMovable(true);
  setHighlightSections(false);
  setSortIndicatorShown(false);
  connect(this, &QHeaderView::sectionClicked, this, &TGridHeader::OnSectionClicked);
}

void TGridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
  if (!rect.isValid()) return;
  QStyleOptionHeader option;
  initStyleOption(&option);
  option.rect = rect;
  option.section = logicalIndex;
  option.textAlignment = Qt::AlignCenter;
  option.text = model() ? model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString() : QString();
  option.state |= QStyle::State_Enabled;
  if (isEnabled() && rect.contains(mapFromGlobal(QCursor::pos()))) option.state |= QStyle::State_MouseOver;
  const int direction = direction_(logicalIndex);
  option.sortIndicator = direction == 0  ? QStyleOptionHeader::None
                         : direction > 0 ? QStyleOptionHeader::SortUp
                                         : QStyleOptionHeader::SortDown;
  const int visual = visualIndex(logicalIndex);
  const bool first = visual == 0;
  const bool last = visual == count() - 1;
  option.position = first && last ? QStyleOptionHeader::OnlyOneSection
                    : first       ? QStyleOptionHeader::Beginning
                    : last        ? QStyleOptionHeader::End
                                  : QStyleOptionHeader::Middle;
  // A centred text too wide for its section would lose both ends; "…" keeps its start.
  // The style leaves the label what the direction mark does not take.
  const int room = style()->subElementRect(QStyle::SE_HeaderLabel, &option, this).width();
  option.text = option.fontMetrics.elidedText(option.text, Qt::ElideRight, room);
  style()->drawControl(QStyle::CE_Header, &option, painter, this);
}

void TGridHeader::mousePressEvent(QMouseEvent* event) {
  draggingOut_ = false;
  pressPos_ = event->position().toPoint();
  pressedSection_ = event->button() == Qt::LeftButton && !OnSectionEdge(pressPos_.x()) ? logicalIndexAt(pressPos_) : -1;
  QHeaderView::mousePressEvent(event);
}

bool TGridHeader::OnSectionEdge(int x) const {
  const int logical = logicalIndexAt(x);
  if (logical < 0) return false;
  const int grip = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, this);
  const int start = sectionViewportPosition(logical);
  return x - start < grip || start + sectionSize(logical) - x <= grip;
}

QMouseEvent TGridHeader::AtPressPosition(const QMouseEvent& event) const {
  return QMouseEvent(event.type(), QPointF(pressPos_), mapToGlobal(QPointF(pressPos_)), event.button(), event.buttons(),
                     event.modifiers());
}

void TGridHeader::mouseMoveEvent(QMouseEvent* event) {
  const bool pressed = pressedSection_ >= 0 && (event->buttons() & Qt::LeftButton);
  const bool outside = pressed && event->position().y() < 0;
  if (pressed) emit sectionDragMoved(event->globalPosition().toPoint(), outside);
  draggingOut_ = outside;
  if (!outside) {
    QHeaderView::mouseMoveEvent(event);
    return;
  }
  QMouseEvent pinned = AtPressPosition(*event);
  QHeaderView::mouseMoveEvent(&pinned);
}

void TGridHeader::mouseReleaseEvent(QMouseEvent* event) {
  releaseModifiers_ = event->modifiers();
  const bool draggedOut = draggingOut_ && pressedSection_ >= 0;
  const int section = pressedSection_;
  if (draggedOut) {
    QMouseEvent pinned = AtPressPosition(*event);
    QHeaderView::mouseReleaseEvent(&pinned);
  } else {
    QHeaderView::mouseReleaseEvent(event);
  }
  pressedSection_ = -1;
  draggingOut_ = false;
  if (draggedOut) emit sectionDraggedOut(section, event->globalPosition().toPoint());
}

void TGridHeader::OnSectionClicked(int logicalIndex) {
  if (draggingOut_) return;
  emit sectionClickedWith(logicalIndex, releaseModifiers_);
}
