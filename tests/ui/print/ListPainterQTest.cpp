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
#include <numeric>
#include <stdexcept>
#include <utility>

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
  uint32_t ThrowAt = UINT32_MAX;
  std::string_view CellText(uint32_t key, int column, std::string& scratch) const override {
    if (key == ThrowAt) throw std::runtime_error("the source failed");
    scratch =
        key == 7 && column == 1 ? std::string(200, 'W') : "r" + std::to_string(key) + "c" + std::to_string(column);
    return scratch;
  }
};

TPrintedList NumberedList(const TNumberedSource& source, uint32_t rows) {
  TPrintedList list;
  list.Columns = {{QStringLiteral("Телефон"), 0, 90, Qt::AlignRight},
                  {QStringLiteral("Абонент"), 1, 210, Qt::AlignLeft},
                  {QStringLiteral("Улица"), 3, 120, Qt::AlignLeft}};
  for (uint32_t key = 0; key < rows; ++key) list.Keys.push_back(key);
  list.Conditions = QStringLiteral("Город: Самара");
  list.Printed = QDateTime(QDate(2026, 12, 11), QTime(3, 5));
  list.Source = &source;
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

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

}  // namespace

class ListPainterQTest : public QObject {
  Q_OBJECT
 private slots:
  void everyPageHasTheHeadersAndItsNumberAndTheFirstTheConditions() {
    const TNumberedSource source;
    const TPages pages = PaintedPages(NumberedList(source, 120));
    QVERIFY(pages.size() >= 3);
    std::vector<uint32_t> printed;
    for (size_t p = 0; p < pages.size(); ++p) {
      const QStringList texts = TextsOf(pages[p]);
      for (const char* header : {"Телефон", "Абонент", "Улица"}) QVERIFY2(texts.contains(header), header);
      QVERIFY(texts.contains(QStringLiteral("Страница %1 из %2").arg(p + 1).arg(pages.size())));
      QCOMPARE(texts.join('\n').contains(QStringLiteral("Условия поиска: Город: Самара")), p == 0);
      QCOMPARE(texts.join('\n').contains(QStringLiteral("Записей: 120. Напечатано 11.12.2026 03:05.")), p == 0);
      QVERIFY(!RowsOf(pages[p]).empty());
      for (uint32_t row : RowsOf(pages[p])) printed.push_back(row);
    }
    std::vector<uint32_t> all(120);
    std::iota(all.begin(), all.end(), 0u);
    QCOMPARE(printed, all);
  }

  void anEmptyListIsOnePageWithTheHeaders() {
    const TNumberedSource source;
    const TPages pages = PaintedPages(NumberedList(source, 0));
    QCOMPARE(pages.size(), size_t(1));
    const QStringList texts = TextsOf(pages[0]);
    QVERIFY(texts.contains(QStringLiteral("Абонент")));
    QVERIFY(texts.contains(QStringLiteral("Страница 1 из 1")));
    QVERIFY(texts.join('\n').contains(QStringLiteral("Записей: 0.")));
  }

  void headingsAreIndentedByLevelAndNeverEndAPage() {
    const TNumberedSource source;
    TPrintedList list = NumberedList(source, 120);
    for (size_t row = 0; row < 120; row += 12) {
      list.Headings.push_back({row, 0, QStringLiteral("Город: %1").arg(row)});
      list.Headings.push_back({row, 1, QStringLiteral("Улица: %1").arg(row)});
      list.Headings.push_back({row + 6, 1, QStringLiteral("Улица: %1").arg(row + 6)});
    }
    const TPages pages = PaintedPages(list);
    const TPaintedText* outer = Find(pages[0], QStringLiteral("Город: 0"));
    const TPaintedText* inner = Find(pages[0], QStringLiteral("Улица: 0"));
    QVERIFY(outer && inner);
    QVERIFY(inner->At.x() > outer->At.x());
    QVERIFY(inner->At.y() > outer->At.y());
    QStringList headings;
    for (const std::vector<TPaintedText>& page : pages) {
      const QStringList texts = TextsOf(page);
      // The footer comes last; the line above it is a row's cell.
      QVERIFY(texts.last().startsWith(QStringLiteral("Страница")));
      QVERIFY2(!texts[texts.size() - 2].contains(':'), qPrintable(texts[texts.size() - 2]));
      for (const QString& text : texts.filter(QRegularExpression(QStringLiteral("^(Город|Улица): ")))) headings << text;
    }
    QCOMPARE(headings.size(), qsizetype(30));
    QCOMPARE(headings.mid(0, 4), QStringList({"Город: 0", "Улица: 0", "Улица: 6", "Город: 12"}));
  }

  void aPageStartingInsideGroupsContinuesTheirHeadings() {
    const TNumberedSource source;
    TPrintedList list = NumberedList(source, 120);
    list.Headings = {{0, 0, QStringLiteral("Город: А")},
                     {0, 1, QStringLiteral("Улица: 1")},
                     {60, 1, QStringLiteral("Улица: 2")},
                     {90, 0, QStringLiteral("Город: Б")},
                     {90, 1, QStringLiteral("Улица: 3")}};
    const TPages pages = PaintedPages(list);
    QVERIFY(pages.size() >= 4);
    for (size_t p = 1; p < pages.size(); ++p) {
      const QStringList texts = TextsOf(pages[p]);
      const uint32_t row = RowsOf(pages[p]).front();
      const QString city = row < 90 ? QStringLiteral("Город: А") : QStringLiteral("Город: Б");
      const QString street = QStringLiteral("Улица: %1").arg(row < 60 ? 1 : row < 90 ? 2 : 3);
      // After the column headers: the headings the page continues, unless it starts with its own.
      QCOMPARE(texts[3], texts[3] == city ? city : city + QStringLiteral(" (продолжение)"));
      if (texts[3] != city) {
        QCOMPARE(texts[4], texts[4] == street ? street : street + QStringLiteral(" (продолжение)"));
      }
    }
  }

  void aTextTooLongForItsColumnEndsInAnEllipsis() {
    const TNumberedSource source;
    const TPages pages = PaintedPages(NumberedList(source, 10));
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
    const auto field = [&](const QString& caption, QWidget* edit) {
      auto* label = new QLabel(caption);
      label->setBuddy(edit);
      layout->addWidget(label);
      layout->addWidget(edit);
      return edit;
    };
    auto* phone = static_cast<QLineEdit*>(field(QStringLiteral("№ телефона"), new QLineEdit(QStringLiteral(" 12 "))));
    auto* owner = static_cast<QLineEdit*>(field(QStringLiteral("Абонент"), new QLineEdit(QStringLiteral("  "))));
    auto* city = new QComboBox;
    city->addItems({QString(), QStringLiteral("Самара")});
    city->setCurrentIndex(1);
    field(QStringLiteral("Город"), city);
    QCheckBox regExpr(QStringLiteral("Поддержка регулярных выражений"));
    QCheckBox forgiving(QStringLiteral("Гибкий поиск"));
    forgiving.setChecked(true);
    QCOMPARE(SearchConditions({phone, owner, city}, {&regExpr, &forgiving}),
             QStringLiteral("№ телефона: 12; Город: Самара; Гибкий поиск"));
    phone->clear();
    city->setCurrentIndex(0);
    forgiving.setChecked(false);
    QCOMPARE(SearchConditions({phone, owner, city}, {&regExpr, &forgiving}), QString());
  }

  void aSavedPdfIsWholeAndReplacesTheOldFile() {
    const TNumberedSource source;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("список.pdf"));
    QFile(path).open(QIODevice::WriteOnly);
    SaveListPdf(path, NumberedList(source, 400), DefaultListPageLayout());
    const QByteArray bytes = Contents(path);
    QVERIFY(bytes.startsWith("%PDF-"));
    QVERIFY(bytes.trimmed().endsWith("%%EOF"));
    const qsizetype pages = bytes.count(QByteArrayLiteral("/Type /Page\n"));
    QVERIFY(pages >= 3);
    QVERIFY(bytes.contains(QByteArray("/Count ") + QByteArray::number(pages)));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"список.pdf"}));
  }

  void aFailedPdfLeavesTheOldFileAsItWas() {
    TNumberedSource source;
    source.ThrowAt = 300;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("список.pdf"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old list");
    old.close();
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, SaveListPdf(path, NumberedList(source, 400), DefaultListPageLayout()));
    QCOMPARE(Contents(path), QByteArray("old list"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"список.pdf"}));

    source.ThrowAt = UINT32_MAX;
    const QString blocked = path + QStringLiteral("/внутри.pdf");
    try {
      SaveListPdf(blocked, NumberedList(source, 10), DefaultListPageLayout());
      QFAIL("saved under a plain file");
    } catch (const std::runtime_error& error) {
      QVERIFY(QByteArray(error.what()).contains(".pdf"));
    }
    QCOMPARE(Contents(path), QByteArray("old list"));
  }
};

QTEST_MAIN(ListPainterQTest)
#include "ListPainterQTest.moc"
