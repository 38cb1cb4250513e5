// The printed pages as their texts: what stands on every page and what only on the
// first, the group headings, the cells cut to their columns, and the PDF file that
// appears whole or not at all.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEngine>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <memory>
#include <numeric>
#include <stdexcept>
#include <utility>

#include "tests/ui/support/FileContents.h"
#include "ui/print/FittedText.h"
#include "ui/print/ListPainter.h"
#include "ui/print/PdfFile.h"
#include "ui/print/SearchConditions.h"

namespace {

struct TPaintedText {
  QString Text;
  QPointF At;
};

// Keeps the texts a page draws and ignores the rest.
class TTextEngine : public QPaintEngine {
 public:
  TTextEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  void updateState(const QPaintEngineState&) override {}
  void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
  void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
  void drawPath(const QPainterPath&) override {}
  void drawRects(const QRectF*, int) override {}
  void drawLines(const QLineF*, int) override {}
  void drawTextItem(const QPointF& at, const QTextItem& item) override { Texts.push_back({item.text(), at}); }
  Type type() const override { return QPaintEngine::User; }

  std::vector<TPaintedText> Texts;
};

// A page of 6 × 4 inches at 300 dpi.
class TPageRecorder : public QPaintDevice {
 public:
  QPaintEngine* paintEngine() const override { return &engine_; }
  std::vector<TPaintedText> TakeTexts() { return std::exchange(engine_.Texts, {}); }

 protected:
  int metric(PaintDeviceMetric metric) const override {
    switch (metric) {
      case PdmWidth: return 1800;
      case PdmHeight: return 1200;
      case PdmWidthMM: return 152;
      case PdmHeightMM: return 102;
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY: return 300;
      case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
      default: return metric == PdmDepth ? 32 : 1;
    }
  }

 private:
  mutable TTextEngine engine_;
};

// Cells "r<key>c<column>"; key 7's column 1 is too long for any column, and the row
// throwAt raises.
class TNumberedSource : public TCellSource {
 public:
  explicit TNumberedSource(uint32_t throwAt) : throwAt_(throwAt) {}
  std::string_view CellText(uint32_t key, int column, std::string& scratch) const override {
    if (key == throwAt_) throw std::runtime_error("the source failed");
    scratch =
        key == 7 && column == 1 ? std::string(200, 'W') : "r" + std::to_string(key) + "c" + std::to_string(column);
    return scratch;
  }

 private:
  const uint32_t throwAt_;
};

TPrintedList NumberedList(uint32_t rows, uint32_t throwAt = UINT32_MAX) {
  TPrintedList list;
  list.Columns = {{QStringLiteral("Телефон"), 0, 90, Qt::AlignRight},
                  {QStringLiteral("Абонент"), 1, 210, Qt::AlignLeft},
                  {QStringLiteral("Улица"), 3, 120, Qt::AlignLeft}};
  for (uint32_t key = 0; key < rows; ++key) list.Keys.push_back(key);
  list.Conditions = QStringLiteral("Город: Самара");
  list.Printed = QDateTime(QDate(2026, 12, 11), QTime(3, 5));
  list.Source = std::make_shared<TNumberedSource>(throwAt);
  return list;
}

using TPages = std::vector<std::vector<TPaintedText>>;

TPages PaintedPages(const TPrintedList& list) {
  TPageRecorder device;
  const TListPainter painter(list, device);
  TPages pages;
  for (size_t page = 0; page < painter.PageCount(); ++page) {
    QPainter on(&device);
    painter.PaintPage(on, page);
    on.end();
    pages.push_back(device.TakeTexts());
  }
  return pages;
}

QStringList TextsOf(const std::vector<TPaintedText>& page) {
  QStringList texts;
  for (const TPaintedText& text : page) texts << text.Text;
  return texts;
}

// The row keys a page prints, by their phone cells.
std::vector<uint32_t> RowsOf(const std::vector<TPaintedText>& page) {
  static const QRegularExpression phone(QStringLiteral("^r(\\d+)c0$"));
  std::vector<uint32_t> rows;
  for (const TPaintedText& text : page) {
    const QRegularExpressionMatch match = phone.match(text.Text);
    if (match.hasMatch()) rows.push_back(match.captured(1).toUInt());
  }
  return rows;
}

const TPaintedText* Find(const std::vector<TPaintedText>& page, const QString& text) {
  for (const TPaintedText& painted : page) {
    if (painted.Text == text) return &painted;
  }
  return nullptr;
}

}  // namespace

class ListPainterQTest : public QObject {
  Q_OBJECT
 private slots:
  // An empty list too: one page, with the headers.
  void everyPageHasTheHeadersAndItsNumberAndTheFirstTheConditions() {
    for (const uint32_t rows : {0u, 120u}) {
      const TPages pages = PaintedPages(NumberedList(rows));
      QVERIFY(rows == 0 ? pages.size() == 1 : pages.size() >= 3);
      std::vector<uint32_t> printed;
      for (size_t p = 0; p < pages.size(); ++p) {
        const QStringList texts = TextsOf(pages[p]);
        for (const char* header : {"Телефон", "Абонент", "Улица"}) QVERIFY2(texts.contains(header), header);
        QVERIFY(texts.contains(QStringLiteral("Страница %1 из %2").arg(p + 1).arg(pages.size())));
        QCOMPARE(texts.join('\n').contains(QStringLiteral("Условия поиска: Город: Самара")), p == 0);
        QCOMPARE(texts.join('\n').contains(QStringLiteral("Записей: %1. Напечатано 11.12.2026 03:05.").arg(rows)),
                 p == 0);
        QCOMPARE(RowsOf(pages[p]).empty(), rows == 0);
        for (uint32_t row : RowsOf(pages[p])) printed.push_back(row);
      }
      std::vector<uint32_t> all(rows);
      std::iota(all.begin(), all.end(), 0u);
      QCOMPARE(printed, all);
    }
  }

  // Pages that start inside a group repeat its headings, continued, after the column
  // headers; no page ends with a heading; inner headings stand further right.
  void headingsAreIndentedContinuedAndNeverEndAPage() {
    TPrintedList list = NumberedList(120);
    list.Headings = {
        {0, 0, "Город: А"}, {0, 1, "Улица: 1"}, {60, 1, "Улица: 2"}, {90, 0, "Город: Б"}, {90, 1, "Улица: 3"}};
    const TPages pages = PaintedPages(list);
    QVERIFY(pages.size() >= 4);
    const TPaintedText* outer = Find(pages[0], "Город: А");
    const TPaintedText* inner = Find(pages[0], "Улица: 1");
    QVERIFY(outer && inner && inner->At.x() > outer->At.x());
    const auto continued = [](const QString& text, const QString& heading) {
      return text == heading || text == heading + QStringLiteral(" (продолжение)");
    };
    for (size_t p = 0; p < pages.size(); ++p) {
      const QStringList texts = TextsOf(pages[p]);
      QVERIFY2(!texts[texts.size() - 2].contains(':'), qPrintable(texts[texts.size() - 2]));
      if (p == 0) continue;
      const uint32_t row = RowsOf(pages[p]).front();
      QVERIFY(continued(texts[3], row < 90 ? "Город: А" : "Город: Б"));
      QVERIFY(continued(texts[4], QStringLiteral("Улица: %1").arg(row < 60 ? 1 : row < 90 ? 2 : 3)));
    }
  }

  void aTextTooLongForItsColumnEndsInAnEllipsis() {
    const TPages pages = PaintedPages(NumberedList(10));
    const QStringList texts = TextsOf(pages[0]);
    const QStringList cut = texts.filter(QRegularExpression(QStringLiteral("^W+…$")));
    QCOMPARE(cut.size(), qsizetype(1));
    QVERIFY(cut[0].size() < 200);
    QVERIFY(texts.contains(QStringLiteral("r7c0")));
    QVERIFY(texts.contains(QStringLiteral("r7c3")));
  }

  void fittedTextKeepsWhatFitsAndCutsTheRest() {
    const QFontMetricsF metrics(QApplication::font());
    const QString text = QStringLiteral("Иванов Иван Иванович");
    const qreal width = metrics.horizontalAdvance(text);
    QCOMPARE(FittedText(text, metrics, width), text);
    const QString cut = FittedText(text, metrics, width - 1);
    QVERIFY(cut.endsWith(QStringLiteral("…")));
    QVERIFY(text.startsWith(cut.chopped(1)));
    QVERIFY(metrics.horizontalAdvance(cut) <= width - 1);
    QCOMPARE(FittedText(text, metrics, metrics.horizontalAdvance(QStringLiteral("…")) / 2), QString());
    QCOMPARE(FittedText(QStringLiteral("к\t2"), metrics, width), QStringLiteral("к 2"));
  }

  void conditionsNameTheFilledFieldsAndTheCheckedBoxes() {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    QLineEdit phone(QStringLiteral(" 12 ")), owner(QStringLiteral("  "));
    QComboBox city;
    city.addItems({QString(), QStringLiteral("Самара")});
    city.setCurrentIndex(1);
    for (auto [caption, field] :
         {std::pair<const char*, QWidget*>{"№ телефона", &phone}, {"Абонент", &owner}, {"Город", &city}}) {
      layout->addWidget(new QLabel(caption));
      static_cast<QLabel*>(layout->itemAt(layout->count() - 1)->widget())->setBuddy(field);
      layout->addWidget(field);
    }
    QCheckBox regExpr(QStringLiteral("Поддержка регулярных выражений")), forgiving(QStringLiteral("Гибкий поиск"));
    forgiving.setChecked(true);
    QCOMPARE(SearchConditions({&phone, &owner, &city}, {&regExpr, &forgiving}),
             QStringLiteral("№ телефона: 12; Город: Самара; Гибкий поиск"));
    phone.clear();
    city.setCurrentIndex(0);
    forgiving.setChecked(false);
    QCOMPARE(SearchConditions({&phone, &owner, &city}, {&regExpr, &forgiving}), QString());
  }

  void aSavedPdfIsWholeAndReplacesTheOldFile() {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("список.pdf"));
    QFile(path).open(QIODevice::WriteOnly);
    SaveListPdf(path, NumberedList(400), DefaultListPageLayout());
    const QByteArray bytes = FileContents(path);
    QVERIFY(bytes.startsWith("%PDF-"));
    QVERIFY(bytes.trimmed().endsWith("%%EOF"));
    const qsizetype pages = bytes.count(QByteArrayLiteral("/Type /Page\n"));
    QVERIFY(pages >= 3);
    QVERIFY(bytes.contains(QByteArray("/Count ") + QByteArray::number(pages)));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"список.pdf"}));
  }

  void aFailedPdfLeavesTheOldFileAsItWas() {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("список.pdf"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old list");
    old.close();
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, SaveListPdf(path, NumberedList(400, 300), DefaultListPageLayout()));
    QCOMPARE(FileContents(path), QByteArray("old list"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"список.pdf"}));

    const QString blocked = path + QStringLiteral("/внутри.pdf");
    try {
      SaveListPdf(blocked, NumberedList(10), DefaultListPageLayout());
      QFAIL("saved under a plain file");
    } catch (const std::runtime_error& error) {
      QVERIFY(QByteArray(error.what()).contains(".pdf"));
    }
    QCOMPARE(FileContents(path), QByteArray("old list"));
  }
};

QTEST_MAIN(ListPainterQTest)
#include "ListPainterQTest.moc"
