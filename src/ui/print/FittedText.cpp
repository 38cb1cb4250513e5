#include "ui/print/FittedText.h"

QString FittedText(QString text, const QFontMetricsF& metrics, qreal width) {
  for (QChar& c : text) {
    if (c.category() == QChar::Other_Control) c = QLatin1Char(' ');
  }
  if (metrics.horizontalAdvance(text) <= width) return text;
  QString cut = metrics.elidedText(text, Qt::ElideRight, width);
  if (cut.isEmpty() || metrics.horizontalAdvance(cut) > width) return {};
  return cut;
}
