// The window under a dark palette, read off its rendered pixels: every text stands out
// from what it is painted on, the invalid-expression mark included.

#include <QAbstractItemView>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QStyleFactory>
#include <QTest>
#include <map>

#include "tests/ui/window/support/WindowFixture.h"
#include "tests/ui/window/support/WindowTestMain.h"
#include "ui/grid/GridModel.h"
#include "ui/grid/ResultGrid.h"
#include "ui/inputs/MaskEdit.h"
#include "ui/inputs/StatusText.h"

namespace {

QPalette DarkPalette() {
  const QColor window(53, 53, 53), text(230, 230, 230);
  QPalette dark(text, window, window.lighter(150), window.darker(150), window.lighter(120), text, Qt::red,
                QColor(35, 35, 35), window);
  dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
  dark.setColor(QPalette::PlaceholderText, QColor(150, 150, 150));
  return dark;
}

double Luminance(QRgb rgb) {
  auto channel = [](int value) {
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb)) + 0.0722 * channel(qBlue(rgb));
}

double Contrast(QRgb a, QRgb b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The commonest colour of area is what the text is painted on; the pixel that stands
// out most from it is the core of a glyph.
double TextContrast(const QImage& image, QRect area) {
  std::map<QRgb, int> counts;
  area &= image.rect();
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) ++counts[image.pixel(x, y)];
  if (counts.empty()) return 0;
  const QRgb background =
      std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
  double best = 1;
  for (const auto& [colour, count] : counts) best = std::max(best, Contrast(colour, background));
  return best;
}

QRect AreaIn(QWidget& window, QWidget* widget, QRect local) {
  return QRect(widget->mapTo(&window, local.topLeft()), local.size());
}

TDirectoryWriter SmallDirectory() {
  TDirectoryWriter directory;
  directory.City("Заречный").Street("Лесная");
  directory.Owner("Иванов Иван").Phone({745, 1, 1, 12, 45, "а"});
  directory.Owner("Иванова Анна").Phone({746, 1, 1, 12, 46, ""});
  return directory;
}

// WCAG's least contrast for small text.
constexpr double kReadable = 4.5;

}  // namespace

class DarkPaletteQTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(DarkPalette());
  }

  void everyTextStandsOutTheInvalidMarkIncluded() {
    TWindowFixture fixture(SmallDirectory());
    TfrmMain& window = fixture.LoadedWindow();
    SearchOwner(window, QStringLiteral("иван"));
    auto* model = qobject_cast<TGridModel*>(window.gPhones->View()->model());
    QVERIFY(model);
    model->GroupBy(colCity);
    model->SetExpanded(0, true);
    QList<QPair<QWidget*, QRect>> areas = {{window.StatusText, window.StatusText->rect()}};
    for (QLabel* label : window.findChildren<QLabel*>()) areas.append({label, label->rect()});
    for (QCheckBox* box : {window.chkRegExpr, window.chkSearchAsYouType, window.chkForgiving})
      areas.append({box, box->rect().adjusted(20, 0, 0, 0)});
    QAbstractItemView* view = window.gPhones->View();
    for (int row = 0; row < view->model()->rowCount(); ++row)
      areas.append({view->viewport(), view->visualRect(view->model()->index(row, colOwner))});
    const QImage image = window.grab().toImage();
    for (const auto& [widget, area] : areas)
      QVERIFY2(TextContrast(image, AreaIn(window, widget, area)) >= kReadable, qPrintable(widget->objectName()));

    window.chkRegExpr->setChecked(true);
    window.mePhone->setText(QStringLiteral("(12"));
    const QImage marked = window.grab().toImage();
    const QRect field = AreaIn(window, window.mePhone, window.mePhone->rect().adjusted(3, 3, -3, -3));
    QCOMPARE(QColor(marked.pixel(field.topLeft() + QPoint(2, 2))), QColor(255, 0, 255));
    QVERIFY(TextContrast(marked, field) >= kReadable);
    window.mePhone->setText(QStringLiteral("12"));
    QCOMPARE(window.mePhone->palette().color(QPalette::Base), DarkPalette().color(QPalette::Base));
    QCOMPARE(window.mePhone->palette().color(QPalette::Text), DarkPalette().color(QPalette::Text));
  }
};

ORLINAR_WINDOW_TEST_MAIN(DarkPaletteQTest)

#include "DarkPaletteQTest.moc"
