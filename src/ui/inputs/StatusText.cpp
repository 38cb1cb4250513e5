#include "ui/inputs/StatusText.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <functional>

namespace {

const QString kEllipsis = QStringLiteral("...");

using TFits = std::function<bool(const QString&)>;

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
    if (fits(middle)) low = middle;
    else high = middle - 1;
  }
  return low;
}

// Every line break shows as a space, so the panel keeps to one line.
QString OneLine(QString text) {
  for (QChar& c : text)
    if (c == u'\n' || c == u'\r') c = u' ';
  return text;
}

// The widest head of text, cut before headEnd, that fits in front of "..." + tail.
QString WithLongestHead(const QString& text, qsizetype headEnd, const QString& tail, const TFits& fits) {
  const auto joined = [&](qsizetype n) { return text.left(CutBefore(text, n)) + kEllipsis + tail; };
  return joined(LargestFitting(headEnd, [&](qsizetype n) { return fits(joined(n)); }));
}

// "..." + the longest end of tail that fits.
QString WithLongestEnd(const QString& tail, const TFits& fits) {
  const auto joined = [&](qsizetype n) { return kEllipsis + tail.mid(CutAfter(tail, tail.size() - n)); };
  return joined(LargestFitting(tail.size(), [&](qsizetype n) { return fits(joined(n)); }));
}

// Start and end of text in equal shares around "...", the start taking the odd character.
QString WithCentredEllipsis(const QString& text, const TFits& fits) {
  const auto joined = [&](qsizetype kept) {
    const qsizetype endLength = kept / 2;
    return text.left(CutBefore(text, kept - endLength)) + kEllipsis + text.mid(CutAfter(text, text.size() - endLength));
  };
  return joined(LargestFitting(text.size() - 1, [&](qsizetype kept) { return fits(joined(kept)); }));
}

}  // namespace

QString PathEllipsis(const QString& text, const QFontMetrics& metrics, int width) {
  const TFits fits = [&](const QString& candidate) { return metrics.horizontalAdvance(candidate) <= width; };
  if (fits(text)) return text;
  if (!fits(kEllipsis)) {
    const qsizetype dots = LargestFitting(kEllipsis.size(), [&](qsizetype n) { return fits(kEllipsis.left(n)); });
    return kEllipsis.left(dots);
  }
  const qsizetype lastBackslash = text.lastIndexOf(u'\\');
  if (lastBackslash < 0) return WithCentredEllipsis(text, fits);
  const QString tail = text.mid(lastBackslash);
  if (fits(kEllipsis + tail)) return WithLongestHead(text, lastBackslash, tail, fits);
  return WithLongestEnd(tail, fits);
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

QString TStatusText::ShownText() const { return PathEllipsis(OneLine(text_), fontMetrics(), width() - 2 * kMargin); }

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
  if (ShownText() != OneLine(text_)) QToolTip::showText(help->globalPos(), text_, this);
  else QToolTip::hideText();
  return true;
}
