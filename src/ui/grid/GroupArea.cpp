#include "ui/grid/GroupArea.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStringList>
#include <QStyleOptionHeader>

namespace {

const int kMargin = 6;
const int kGap = 8;
const int kArrowRoom = 20;

QString HintText() {
  return QStringLiteral("Перетащите сюда заголовок любого столбца для группировки по этому столбцу");
}

}  // namespace

TGroupArea::TGroupArea(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("groupArea"));
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Dark);
  setAccessibleName(QStringLiteral("Группировка"));
  setAccessibleDescription(HintText());
}

void TGroupArea::SetButtons(std::vector<TGroupButton> buttons) {
  buttons_ = std::move(buttons);
  pressed_ = -1;
  QStringList texts;
  for (const TGroupButton& button : buttons_) texts << button.Text;
  setAccessibleDescription(texts.isEmpty() ? HintText() : texts.join(QStringLiteral(", ")));
  update();
}

void TGroupArea::SetDropHighlight(bool on) {
  if (highlight_ == on) return;
  highlight_ = on;
  update();
}

QSize TGroupArea::sizeHint() const {
  return {fontMetrics().horizontalAdvance(HintText()) + 2 * kMargin, fontMetrics().height() + 8 + 2 * kMargin};
}

QRect TGroupArea::ButtonRect(size_t index) const {
  int x = kMargin;
  for (size_t i = 0; i < index; ++i) x += ButtonRect(i).width() + kGap;
  const int width = fontMetrics().horizontalAdvance(buttons_[index].Text) + 16 + kArrowRoom;
  return {x, kMargin, width, height() - 2 * kMargin};
}

int TGroupArea::ButtonAt(QPoint pos) const {
  for (size_t i = 0; i < buttons_.size(); ++i) {
    if (ButtonRect(i).contains(pos)) return static_cast<int>(i);
  }
  return -1;
}

void TGroupArea::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (highlight_) painter.fillRect(rect(), palette().color(QPalette::Highlight).lighter(170));
  if (buttons_.empty()) {
    painter.setPen(palette().color(QPalette::BrightText));
    painter.drawText(rect().adjusted(kMargin, 0, -kMargin, 0), Qt::AlignLeft | Qt::AlignVCenter, HintText());
    return;
  }
  for (size_t i = 0; i < buttons_.size(); ++i) {
    QStyleOptionHeader option;
    option.initFrom(this);
    option.rect = ButtonRect(i);
    option.position = QStyleOptionHeader::OnlyOneSection;
    if (static_cast<int>(i) == pressed_) option.state |= QStyle::State_Sunken;
    style()->drawControl(QStyle::CE_HeaderSection, &option, &painter, this);
    const QRect arrow(option.rect.right() - kArrowRoom, option.rect.top(), kArrowRoom - 4, option.rect.height());
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(option.rect.adjusted(4, 0, -kArrowRoom, 0), Qt::AlignCenter, buttons_[i].Text);
    option.rect = arrow;
    option.sortIndicator = buttons_[i].Direction < 0 ? QStyleOptionHeader::SortDown : QStyleOptionHeader::SortUp;
    style()->drawPrimitive(QStyle::PE_IndicatorHeaderArrow, &option, &painter, this);
    if (i + 1 < buttons_.size()) {
      const QRect r = ButtonRect(i);
      painter.setPen(palette().color(QPalette::WindowText));
      painter.drawLine(r.right() + 1, r.center().y(), r.right() + kGap, r.center().y());
    }
  }
}

void TGroupArea::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton ? ButtonAt(event->position().toPoint()) : -1;
  update();
}

void TGroupArea::mouseReleaseEvent(QMouseEvent* event) {
  const int pressed = pressed_;
  pressed_ = -1;
  update();
  if (pressed < 0 || event->button() != Qt::LeftButton) return;
  const int column = buttons_[static_cast<size_t>(pressed)].Column;
  if (ButtonAt(event->position().toPoint()) == pressed) {
    emit buttonClicked(column);
  } else if (!rect().contains(event->position().toPoint())) {
    emit buttonDraggedOut(column, event->globalPosition().toPoint());
  }
}
