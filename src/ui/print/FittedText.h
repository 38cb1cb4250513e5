#pragma once
// A cell's text as wide as its column allows.

#include <QFontMetricsF>
#include <QString>

// text as it is when it fits into width, else cut with "…" at its end; empty when
// not even "…" fits. Control characters (a tab in a corpus, say) print as spaces, so
// that a row stays one line.
QString FittedText(QString text, const QFontMetricsF& metrics, qreal width);
