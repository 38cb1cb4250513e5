#include "tests/ui/inputs/support/TypeKeys.h"

#include <QTest>

void TypeKeys(QWidget* widget, const QString& text) {
  for (QChar c : text) {
    const auto key = static_cast<Qt::Key>(c.toUpper().unicode());
    QTest::sendKeyEvent(QTest::Press, widget, key, QString(c), Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, widget, key, QString(c), Qt::NoModifier);
  }
}
