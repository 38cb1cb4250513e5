#pragma once
// The found list drawn as a table on pages: the search conditions, the row count and
// the date above the first page's table, the column headers atop every page, group
// headings indented by level (repeated, continued, atop a page that starts inside
// their group), and "Страница N из M" at every page's foot. The preview,
// the printer and the PDF file all get their pages from here.

#include <QFont>
#include <QFontMetricsF>
#include <QRectF>
#include <vector>

#include "ui/print/Pagination.h"
#include "ui/print/PrintedList.h"

class QPaintDevice;
class QPagedPaintDevice;
class QPainter;

class TListPainter {
 public:
  // Lays list out for the pages of device: its fonts at the device's resolution, the
  // column widths fitted to the page width, the page breaks.
  TListPainter(const TPrintedList& list, const QPaintDevice& device);

  size_t PageCount() const { return pages_.size(); }
  // Every page, with device.newPage() between them, until one fails; painter is
  // active on device.
  void Paint(QPainter& painter, QPagedPaintDevice& device) const;
  // One page, on a device like the one laid out for.
  void PaintPage(QPainter& painter, size_t page) const;

 private:
  struct TLine {
    bool Heading;
    size_t Index;  // into list.Headings or list.Keys
  };

  void LayOutLines();
  void LayOutColumns();
  qreal Points(qreal points) const { return points * dpi_ / 72; }
  QString InfoText() const;
  // The headings of the groups a page starts inside, outer first.
  std::vector<size_t> ContinuedHeadings(size_t page) const;

  qreal PaintPreamble(QPainter& painter) const;
  void PaintColumnHeaders(QPainter& painter, qreal top) const;
  void PaintHeading(QPainter& painter, const TPrintHeading& heading, qreal top, bool continued = false) const;
  void PaintRow(QPainter& painter, uint32_t key, qreal top) const;
  void PaintFooter(QPainter& painter, size_t page) const;

  const TPrintedList& list_;
  qreal dpi_;
  QRectF page_;  // the printable area, in device units
  QFont font_;
  QFont bold_;
  QFont title_;
  QFontMetricsF metrics_;
  QFontMetricsF boldMetrics_;
  qreal padding_;
  int rowHeight_;
  int headingHeight_;
  int headerHeight_;
  int footerHeight_;
  int preambleHeight_;
  std::vector<qreal> columnLefts_;  // and the right edge last
  size_t levels_ = 0;               // of grouping
  std::vector<TLine> lines_;
  std::vector<TPageSpan> pages_;
};

// The whole list onto device; false when the painter cannot begin or finish there.
bool PrintList(const TPrintedList& list, QPagedPaintDevice& device);
