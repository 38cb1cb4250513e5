#include "ui/print/ListPainter.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <string>

#include "ui/grid/ColumnFit.h"
#include "ui/print/FittedText.h"
#include "ui/report/ApplicationTitle.h"
#include "ui/text/Text1251.h"

namespace {

// The window's own size: with the columns in the grid's proportions, a text is cut
// about where the grid cuts it.
constexpr qreal kFontPoints = 8;
constexpr qreal kTitlePoints = 11;
constexpr qreal kIndentPoints = 12;
const QColor kHeaderFill(0xE4, 0xE4, 0xE4);
const QColor kHeadingFill(0xF2, 0xF2, 0xF2);
const QColor kRule(0xB0, 0xB0, 0xB0);

QFont PrintFont(qreal points, bool bold) {
  QFont font = QGuiApplication::font();
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

int LineHeight(const QFontMetricsF& metrics, qreal padding) {
  return static_cast<int>(std::ceil(metrics.height() + 2 * padding));
}

int WrappedHeight(const QFont& font, const QPaintDevice& device, qreal width, const QString& text) {
  const QRectF bounds =
      QFontMetricsF(font, &device).boundingRect(QRectF(0, 0, width, 1e9), Qt::TextWordWrap | Qt::AlignLeft, text);
  return static_cast<int>(std::ceil(bounds.height()));
}

// How many headings stand before the row: all with that row or an earlier one.
size_t HeadingsUpTo(const std::vector<TPrintHeading>& headings, size_t row) {
  return static_cast<size_t>(
      std::upper_bound(headings.begin(), headings.end(), row,
                       [](size_t at, const TPrintHeading& heading) { return at < heading.Row; }) -
      headings.begin());
}

}  // namespace

TListPainter::TListPainter(const TPrintedList& list, const QPaintDevice& device)
    : list_(list),
      dpi_(device.logicalDpiY()),
      page_(0, 0, device.width(), device.height()),
      font_(PrintFont(kFontPoints, false)),
      bold_(PrintFont(kFontPoints, true)),
      title_(PrintFont(kTitlePoints, true)),
      metrics_(font_, &device),
      boldMetrics_(bold_, &device),
      padding_(Points(1.5)),
      rowHeight_(LineHeight(metrics_, padding_)),
      headingHeight_(LineHeight(boldMetrics_, 2 * padding_)),
      headerHeight_(headingHeight_),
      footerHeight_(LineHeight(metrics_, Points(4))) {
  preambleHeight_ = WrappedHeight(title_, device, page_.width(), ApplicationTitle()) +
                    WrappedHeight(font_, device, page_.width(), InfoText()) + static_cast<int>(Points(8));
  LayOutColumns();
  LayOutLines();
}

QString TListPainter::InfoText() const {
  QString text;
  if (!list_.Conditions.isEmpty()) text = QStringLiteral("Условия поиска: %1\n").arg(list_.Conditions);
  return text + QStringLiteral("Записей: %1. Напечатано %2.")
                    .arg(list_.Keys.size())
                    .arg(list_.Printed.toString(QStringLiteral("dd.MM.yyyy HH:mm")));
}

void TListPainter::LayOutColumns() {
  std::vector<int> widths;
  for (const TPrintColumn& column : list_.Columns) widths.push_back(std::max(column.Width, 1));
  const auto total = static_cast<int>(page_.width());
  widths = ScaleToWidth(widths, total, static_cast<int>(Points(18)));
  qreal left = 0;
  for (int width : widths) {
    columnLefts_.push_back(left);
    left += width;
  }
  columnLefts_.push_back(left);
}

void TListPainter::LayOutLines() {
  lines_.reserve(list_.Keys.size() + list_.Headings.size());
  size_t heading = 0;
  for (size_t row = 0; row < list_.Keys.size(); ++row) {
    for (; heading < list_.Headings.size() && list_.Headings[heading].Row <= row; ++heading) {
      lines_.push_back({true, heading});
    }
    lines_.push_back({false, row});
  }
  std::vector<TPrintLine> heights;
  heights.reserve(lines_.size());
  for (const TLine& line : lines_) heights.push_back({line.Heading ? headingHeight_ : rowHeight_, line.Heading});
  for (const TPrintHeading& heading : list_.Headings) levels_ = std::max(levels_, heading.Level + 1);
  const int room = static_cast<int>(page_.height()) - headerHeight_ - footerHeight_;
  // Further pages keep room for the headings they may continue.
  pages_ = Paginate(heights, room - preambleHeight_, room - static_cast<int>(levels_) * headingHeight_);
}

std::vector<size_t> TListPainter::ContinuedHeadings(size_t page) const {
  std::vector<size_t> continued;
  const TPageSpan span = pages_[page];
  if (page == 0 || span.Count == 0) return continued;
  const TLine first = lines_[span.First];
  size_t below = first.Heading ? list_.Headings[first.Index].Level : levels_;
  size_t heading = first.Heading ? first.Index : HeadingsUpTo(list_.Headings, first.Index);
  // Back from the page's start, the nearest heading of each outer level.
  while (below > 0 && heading > 0) {
    const size_t level = list_.Headings[--heading].Level;
    if (level >= below) continue;
    continued.insert(continued.begin(), heading);
    below = level;
  }
  return continued;
}

void TListPainter::Paint(QPainter& painter, QPagedPaintDevice& device) const {
  for (size_t page = 0; page < pages_.size(); ++page) {
    if (page > 0 && !device.newPage()) return;  // the printing was cancelled
    PaintPage(painter, page);
  }
}

void TListPainter::PaintPage(QPainter& painter, size_t page) const {
  qreal top = page == 0 ? PaintPreamble(painter) : 0;
  PaintColumnHeaders(painter, top);
  top += headerHeight_;
  for (size_t heading : ContinuedHeadings(page)) {
    PaintHeading(painter, list_.Headings[heading], top, true);
    top += headingHeight_;
  }
  const TPageSpan span = pages_[page];
  painter.setFont(font_);
  for (size_t i = span.First; i < span.First + span.Count; ++i) {
    const TLine line = lines_[i];
    if (line.Heading) {
      PaintHeading(painter, list_.Headings[line.Index], top);
      top += headingHeight_;
    } else {
      PaintRow(painter, list_.Keys[line.Index], top);
      top += rowHeight_;
    }
  }
  PaintFooter(painter, page);
}

qreal TListPainter::PaintPreamble(QPainter& painter) const {
  painter.setPen(Qt::black);
  painter.setFont(title_);
  QRectF used;
  painter.drawText(page_, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, ApplicationTitle(), &used);
  painter.setFont(font_);
  painter.drawText(page_.adjusted(0, used.height(), 0, 0), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, InfoText());
  return preambleHeight_;
}

void TListPainter::PaintColumnHeaders(QPainter& painter, qreal top) const {
  const QRectF band(0, top, columnLefts_.back(), headerHeight_);
  painter.fillRect(band, kHeaderFill);
  painter.setPen(QPen(kRule, Points(0.5)));
  painter.drawRect(band);
  painter.setFont(bold_);
  for (size_t c = 0; c < list_.Columns.size(); ++c) {
    const QRectF cell(columnLefts_[c], top, columnLefts_[c + 1] - columnLefts_[c], headerHeight_);
    if (c > 0) {
      painter.setPen(QPen(kRule, Points(0.5)));
      painter.drawLine(cell.topLeft(), cell.bottomLeft());
    }
    painter.setPen(Qt::black);
    const QRectF text = cell.adjusted(2 * padding_, 0, -2 * padding_, 0);
    painter.drawText(text, Qt::AlignCenter, FittedText(list_.Columns[c].Header, boldMetrics_, text.width()));
  }
}

void TListPainter::PaintHeading(QPainter& painter, const TPrintHeading& heading, qreal top, bool continued) const {
  const QRectF band(0, top, columnLefts_.back(), headingHeight_);
  painter.fillRect(band, kHeadingFill);
  painter.setPen(QPen(kRule, Points(0.5)));
  painter.drawLine(band.bottomLeft(), band.bottomRight());
  painter.setPen(Qt::black);
  painter.setFont(bold_);
  const QRectF text =
      band.adjusted(2 * padding_ + Points(kIndentPoints) * static_cast<qreal>(heading.Level), 0, -2 * padding_, 0);
  const QString caption = continued ? QStringLiteral("%1 (продолжение)").arg(heading.Text) : heading.Text;
  painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, FittedText(caption, boldMetrics_, text.width()));
  painter.setFont(font_);
}

void TListPainter::PaintRow(QPainter& painter, uint32_t key, qreal top) const {
  std::string scratch;
  painter.setPen(Qt::black);
  for (size_t c = 0; c < list_.Columns.size(); ++c) {
    const TPrintColumn& column = list_.Columns[c];
    const QRectF cell(columnLefts_[c] + 2 * padding_, top, columnLefts_[c + 1] - columnLefts_[c] - 4 * padding_,
                      rowHeight_);
    const QString text = FromCp1251(CellTextOf(*list_.Source, key, column.Column, scratch));
    painter.drawText(cell, column.Alignment | Qt::AlignVCenter, FittedText(text, metrics_, cell.width()));
  }
  painter.setPen(QPen(kRule, Points(0.25)));
  painter.drawLine(QPointF(0, top + rowHeight_), QPointF(columnLefts_.back(), top + rowHeight_));
}

void TListPainter::PaintFooter(QPainter& painter, size_t page) const {
  painter.setPen(Qt::black);
  painter.setFont(font_);
  const QRectF foot(0, page_.height() - footerHeight_, page_.width(), footerHeight_);
  painter.drawText(foot, Qt::AlignHCenter | Qt::AlignBottom,
                   QStringLiteral("Страница %1 из %2").arg(page + 1).arg(pages_.size()));
}

bool PrintList(const TPrintedList& list, QPagedPaintDevice& device) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  TListPainter(list, device).Paint(painter, device);
  return painter.end();
}
