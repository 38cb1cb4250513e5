#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QToolTip>
#include <QTest>
#include <memory>

#include "StatusText.h"

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// The rectangle of the pixels that differ from the background colour.
QRect InkBounds(const QImage& image) {
  const QRgb background = image.pixel(0, 0);
  QRect bounds;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != background) bounds |= QRect(x, y, 1, 1);
  return bounds;
}

}  // namespace

class StatusTextQTest : public QObject {
  Q_OBJECT

 private:
  const QString path_ = U("C:\\Справочник\\Данные\\Phones.dbr");

 private slots:
  void textThatFitsIsKept() {
    const QFontMetrics metrics(QApplication::font());
    QCOMPARE(PathEllipsis(path_, metrics, metrics.horizontalAdvance(path_)), path_);
    QCOMPARE(PathEllipsis(QString(), metrics, 0), QString());
  }

  void pathKeepsItsLastPartWholeAndAsMuchOfTheStartAsFits() {
    const QFontMetrics metrics(QApplication::font());
    const QString expected = U("C:\\Спр...\\Phones.dbr");
    const int width = metrics.horizontalAdvance(expected);
    QCOMPARE(PathEllipsis(path_, metrics, width), expected);
    // One pixel less costs the head a character.
    QCOMPARE(PathEllipsis(path_, metrics, width - 1), U("C:\\Сп...\\Phones.dbr"));
    QCOMPARE(PathEllipsis(path_, metrics, metrics.horizontalAdvance(U("...\\Phones.dbr"))), U("...\\Phones.dbr"));
  }

  void tooNarrowForTheLastPartKeepsItsEnd() {
    const QFontMetrics metrics(QApplication::font());
    const int width = metrics.horizontalAdvance(U("...nes.dbr"));
    QCOMPARE(PathEllipsis(path_, metrics, width), U("...nes.dbr"));
    const QString message = U("Загружено записей: 1234567");
    QCOMPARE(PathEllipsis(message, metrics, metrics.horizontalAdvance(U("...: 1234567"))), U("...: 1234567"));
  }

  void narrowerThanTheEllipsisGivesWhatDotsFit() {
    const QFontMetrics metrics(QApplication::font());
    QCOMPARE(PathEllipsis(path_, metrics, metrics.horizontalAdvance(U(".."))), U(".."));
    QCOMPARE(PathEllipsis(path_, metrics, 0), QString());
    QCOMPARE(PathEllipsis(path_, metrics, -5), QString());
  }

  void resultAlwaysFits() {
    const QFontMetrics metrics(QApplication::font());
    const QString texts[] = {path_, U("a\\b\\"), U("\\\\\\"), U("&&&\\&"), QString(300, u'Ж') + u'\\' + QString(5, u'x'),
                             U("x😀y😀z\\😀😀")};
    for (const QString& text : texts)
      for (int width = 0; width < metrics.horizontalAdvance(text) + 4; width += 3) {
        const QString shown = PathEllipsis(text, metrics, width);
        QVERIFY2(metrics.horizontalAdvance(shown) <= width || shown.isEmpty(), qPrintable(text));
        QVERIFY(shown.isEmpty() || !shown.back().isHighSurrogate());
        QVERIFY(shown.isEmpty() || !shown.front().isLowSurrogate());
      }
  }

  void panelShortensWithoutChangingTheStoredText() {
    TStatusText panel;
    panel.resize(400, 20);
    panel.SetText(path_ + U(" & more"));
    QCOMPARE(panel.ShownText(), path_ + U(" & more"));
    panel.resize(60, 20);
    QVERIFY(panel.ShownText().contains(U("...")));
    QCOMPARE(panel.Text(), path_ + U(" & more"));
    panel.resize(400, 20);
    QCOMPARE(panel.ShownText(), path_ + U(" & more"));
  }

  void shortenedTextShowsWholeInTheTooltip() {
    TStatusText panel;
    panel.resize(60, 20);
    panel.SetText(path_);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), panel.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&panel, &help);
    QTRY_COMPARE(QToolTip::text(), path_);
    panel.resize(400, 20);
    QApplication::sendEvent(&panel, &help);
    QTRY_VERIFY(!QToolTip::isVisible());
  }

  void panelDrawsOneLineInsideTheMarginsVerticallyCentred() {
    TStatusText panel;
    panel.resize(120, 20);
    panel.SetText(U("Строка\nвторая & третья часть текста"));
    QVERIFY(!panel.ShownText().contains(u'\n'));
    const QRect ink = InkBounds(panel.grab().toImage());
    QVERIFY(!ink.isNull());
    QVERIFY(ink.left() >= TStatusText::kMargin);
    QVERIFY(ink.right() < panel.width() - TStatusText::kMargin);
    QVERIFY(qAbs(ink.top() - (panel.height() - 1 - ink.bottom())) <= 3);
    QVERIFY(panel.minimumSizeHint().width() <= 2 * TStatusText::kMargin);
  }

  void ampersandIsDrawnAsItself() {
    TStatusText plain;
    TStatusText ampersand;
    for (TStatusText* panel : {&plain, &ampersand}) panel->resize(200, 20);
    plain.SetText(U("ab"));
    ampersand.SetText(U("a&b"));
    // A mnemonic would swallow the "&" and underline the "b" instead.
    QVERIFY(InkBounds(ampersand.grab().toImage()).width() > InkBounds(plain.grab().toImage()).width() + 2);
    QCOMPARE(ampersand.ShownText(), U("a&b"));
  }
};

QTEST_MAIN(StatusTextQTest)
#include "StatusTextQTest.moc"
