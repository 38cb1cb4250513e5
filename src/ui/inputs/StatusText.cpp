#include "StatusText.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace {

const QString kEllipsis = QStringLiteral("...");

// Never cut a surrogate pair in two.
qsizetype CutBefore(const QString& text, qsizetype length) {
  if (length > 0 && length < text.size() && text[length].isLowSurrogate()) --length;
  return length;
}

qsizetype CutAfter(const QString& text, qsizetype start) {
  if (start > 0 && start < text.size() && text[start].isLowSurrogate()) ++start;
  return start;
}

// The largest n in [0, limit] for which fits(n) holds, fits being true at 0 and
// monotonic; binary search keeps long texts cheap to measure.
template <typename Fits>
qsizetype LargestFitting(qsizetype limit, Fits fits) {
  qsizetype low = 0;
  qsizetype high = limit;
  while (low < high) {
    const qsizetype middle = low + (high - low + 1) / 2;
    if (fits(middle))
      low = middle;
    else
      high = middle - 1;
  }
  return low;
}

// Every line break shows as a space, so the panel keeps to one line.
QString OneLine(QString text) {
  for (QChar& c : text)
    if (c == u'\n' || c == u'\r') c = u' ';
  return text;
}

}  // namespace

QString PathEllipsis(const QString& text, const QFontMetrics& metrics, int width) {
  const auto fits = [&](const QString& candidate) { return metrics.horizontalAdvance(candidate) <= width; };
  if (fits(text)) return text;

  const qsizetype lastBackslash = text.lastIndexOf(u'\\');
  const qsizetype tailStart = lastBackslash < 0 ? 0 : lastBackslash;
  const QString tail = text.mid(tailStart);
  if (fits(kEllipsis + tail)) {
    const qsizetype headLength = LargestFitting(tailStart, [&](qsizetype n) {
      return fits(text.left(CutBefore(text, n)) + kEllipsis + tail);
    });
    return text.left(CutBefore(text, headLength)) + kEllipsis + tail;
  }
  if (!fits(kEllipsis)) {
    const qsizetype dots = LargestFitting(kEllipsis.size(), [&](qsizetype n) { return fits(kEllipsis.left(n)); });
    return kEllipsis.left(dots);
  }
  const qsizetype kept = LargestFitting(tail.size(), [&](qsizetype n) {
    return fits(kEllipsis + tail.mid(CutAfter(tail, tail.size() - n)));
  });
  return kEllipsis + tail.mid(CutAfter(tail, tail.size() - kept));
}

TStatusText::TStatusText(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void TStatusText::SetText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  updateGeometry();
  update();
}

QString TStatusText::Text() const { return text_; }

QString TStatusText::ShownText() const {
  return PathEllipsis(OneLine(text_), fontMetrics(), width() - 2 * kMargin);
}

QSize TStatusText::sizeHint() const {
  return {fontMetrics().horizontalAdvance(OneLine(text_)) + 2 * kMargin, fontMetrics().height()};
}

QSize TStatusText::minimumSizeHint() const { return {2 * kMargin, fontMetrics().height()}; }

void TStatusText::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  // No mnemonic flag: an ampersand is drawn as itself.
  painter.drawText(rect().adjusted(kMargin, 0, -kMargin, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   ShownText());
}

// A shortened text shows whole in its tooltip.
bool TStatusText::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QWidget::event(event);
  const auto* help = static_cast<QHelpEvent*>(event);
  if (ShownText() != OneLine(text_))
    QToolTip::showText(help->globalPos(), text_, this);
  else
    QToolTip::hideText();
  return true;
}
