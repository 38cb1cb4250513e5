#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QTest>
#include <QToolTip>
#include <memory>

#include "tests/ui/inputs/support/Utf8Text.h"
#include "ui/inputs/StatusText.h"

namespace {

// The rectangle of the pixels that differ from the background colour.
QRect InkBounds(const QImage& image) {
  const QRgb background = image.pixel(0, 0);
  QRect bounds;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != background) bounds |= QRect(x, y, 1, 1);
  return bounds;
}

// No surrogate without its partner, at the ends or beside the "...".
bool PairsWhole(const QString& text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i].isHighSurrogate() && (i + 1 == text.size() || !text[i + 1].isLowSurrogate())) return false;
    if (text[i].isLowSurrogate() && (i == 0 || !text[i - 1].isHighSurrogate())) return false;
  }
  return true;
}

}  // namespace

class StatusTextQTest : public QObject {
  Q_OBJECT

 private:
  const QString path_ = U("C:\\Справочник\\Данные\\Phones.dbr");
  const QString message_ = U("Поиск завершён. Найдено 100457 записей.");

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
    QCOMPARE(PathEllipsis(path_, metrics, width - 1), U("...es.dbr"));
  }

  // Without a backslash nothing outranks the rest: the start and the end stay in equal
  // shares, the start taking the odd character.
  void textWithoutBackslashLosesItsMiddle() {
    const QFontMetrics metrics(QApplication::font());
    const QString expected = U("Поиск заве...7 записей.");
    const int width = metrics.horizontalAdvance(expected);
    QCOMPARE(PathEllipsis(message_, metrics, width), expected);
    QCOMPARE(PathEllipsis(message_, metrics, width - 1), U("Поиск заве... записей."));
    QCOMPARE(PathEllipsis(message_, metrics, metrics.horizontalAdvance(U("П..."))), U("П..."));
    QCOMPARE(PathEllipsis(message_, metrics, metrics.horizontalAdvance(U("..."))), U("..."));
    QCOMPARE(PathEllipsis(message_, metrics, metrics.horizontalAdvance(U("...")) - 1), U(".."));
  }

  void onePixelShortOfTheWholeTextKeepsBothEnds() {
    const QFontMetrics metrics(QApplication::font());
    const int width = metrics.horizontalAdvance(message_);
    QCOMPARE(PathEllipsis(message_, metrics, width), message_);
    const QString shown = PathEllipsis(message_, metrics, width - 1);
    QVERIFY2(shown.startsWith(U("Поиск завершён. ")) && shown.endsWith(U(" записей.")), qPrintable(shown));
    QCOMPARE(shown.count(U("...")), 1);
    QVERIFY(metrics.horizontalAdvance(shown) <= width - 1);
  }

  void narrowerThanTheEllipsisGivesWhatDotsFit() {
    const QFontMetrics metrics(QApplication::font());
    QCOMPARE(PathEllipsis(path_, metrics, metrics.horizontalAdvance(U(".."))), U(".."));
    QCOMPARE(PathEllipsis(path_, metrics, 0), QString());
    QCOMPARE(PathEllipsis(path_, metrics, -5), QString());
  }

  void resultAlwaysFits() {
    const QFontMetrics metrics(QApplication::font());
    const QString texts[] = {
        path_,          U("a\\b\\"),    U("\\\\\\"), U("&&&\\&"), QString(300, u'Ж') + u'\\' + QString(5, u'x'),
        U("x😀y😀z\\😀😀"), U("😀x😀😀y😀😀z😀"), message_};
    for (const QString& text : texts)
      for (int width = 0; width < metrics.horizontalAdvance(text) + 4; width += 3) {
        const QString shown = PathEllipsis(text, metrics, width);
        QVERIFY2(metrics.horizontalAdvance(shown) <= width || shown.isEmpty(), qPrintable(text));
        QVERIFY2(PairsWhole(shown), qPrintable(shown));
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

  // The text has the panel less the two margins.
  void panelShowsTheWholeTextWhenItFitsExactly() {
    TStatusText panel;
    panel.SetText(message_);
    const int exact = panel.fontMetrics().horizontalAdvance(message_) + 2 * TStatusText::kMargin;
    panel.resize(exact, 20);
    QCOMPARE(panel.ShownText(), message_);
    panel.resize(exact - 1, 20);
    QVERIFY2(panel.ShownText().startsWith(U("Поиск")) && panel.ShownText().endsWith(U("записей.")),
             qPrintable(panel.ShownText()));
    QVERIFY(panel.ShownText().contains(U("...")));
    panel.resize(2 * TStatusText::kMargin + 1, 20);
    QCOMPARE(panel.ShownText(), QString());
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
