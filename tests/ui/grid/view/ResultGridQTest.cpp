#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QtTest>

#include "GroupArea.h"
#include "ResultGrid.h"
#include "TableSource.h"
#include "Text1251.h"

namespace {

std::vector<TGridColumn> Columns() {
  return {{"colPhone", QString::fromUtf8("Телефон"), 89, Qt::AlignRight},
          {"colOwner", QString::fromUtf8("Абонент"), 212, Qt::AlignLeft},
          {"colCity", QString::fromUtf8("Город"), 139, Qt::AlignLeft}};
}

// Phone, owner, city: bytes of Windows-1251.
const std::vector<std::vector<std::string>> kRows = {
    {"20", "\xC1\xEE\xF0\xE8\xF1", "\xC7\xE0\xF0\xE5\xF7\xED\xFB\xE9"},  // Борис, Заречный
    {"100", "\xC0\xED\xED\xE0", "\xCC\xE8\xF0"},                         // Анна, Мир
    {"3", "\xC2\xE5\xF0\xE0", "\xC7\xE0\xF0\xE5\xF7\xED\xFB\xE9"},      // Вера, Заречный
    {"20", "\xC3\xEB\xE5\xE1", "\xCC\xE8\xF0"},                         // Глеб, Мир
};

// Clicks the button of the next modal box once it is open.
void AnswerNextBox(QMessageBox::StandardButton answer, QString* seenText = nullptr, QString* seenTitle = nullptr,
                   QMessageBox::Icon* seenIcon = nullptr) {
  QTimer::singleShot(0, [=] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    QVERIFY(box);
    if (seenText) *seenText = box->text();
    if (seenTitle) *seenTitle = box->windowTitle();
    if (seenIcon) *seenIcon = box->icon();
    box->button(answer)->click();
  });
}

}  // namespace

class ResultGridQTest : public QObject {
  Q_OBJECT

 private:
  TTableSource source_{kRows};
  std::unique_ptr<TResultGrid> grid_;

  QAbstractItemModel* Model() const { return grid_->View()->model(); }
  QHeaderView* Header() const { return static_cast<QTableView*>(grid_->View())->horizontalHeader(); }

  void Fill(const std::vector<uint32_t>& keys) {
    grid_->BeginUpdate();
    grid_->ClearRows();
    for (uint32_t key : keys) grid_->AppendRow(key);
    grid_->EndUpdate();
  }

  QString Cell(int row, int column) const { return Model()->index(row, column).data().toString(); }
  QStringList ColumnTexts(int column) const {
    QStringList texts;
    for (int row = 0; row < Model()->rowCount(); ++row) texts << Cell(row, column);
    return texts;
  }

  void ClickHeader(int column, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QPoint centre(Header()->sectionViewportPosition(column) + Header()->sectionSize(column) / 2,
                        Header()->height() / 2);
    QTest::mouseClick(Header()->viewport(), Qt::LeftButton, modifiers, centre);
  }

  void SelectRow(int row) {
    grid_->View()->setCurrentIndex(Model()->index(row, 0));
  }

 private slots:
  void init() {
    grid_ = std::make_unique<TResultGrid>(Columns(), source_);
    grid_->resize(600, 300);
    grid_->show();
    QVERIFY(QTest::qWaitForWindowExposed(grid_.get()));
  }
  void cleanup() { grid_.reset(); }

  void rowsAppearInPhoneOrderOnceTheUpdateEnds() {
    grid_->BeginUpdate();
    grid_->BeginUpdate();
    for (uint32_t key = 0; key < kRows.size(); ++key) grid_->AppendRow(key);
    grid_->EndUpdate();
    QCOMPARE(static_cast<QTableView*>(grid_->View())->verticalHeader()->count(), 0);  // held back
    QCOMPARE(grid_->RowCount(), 4);
    grid_->EndUpdate();
    QCOMPARE(ColumnTexts(0), QStringList({"100", "20", "20", "3"}));
    QCOMPARE(Cell(1, 1), QString::fromUtf8("Борис"));  // equal phones keep the scan order
    QCOMPARE(Cell(2, 1), QString::fromUtf8("Глеб"));
    QCOMPARE(grid_->View()->objectName(), QString("tvPhones"));
  }

  void headerClicksFollowTheirModifiers() {
    Fill({0, 1, 2, 3});
    ClickHeader(1);
    QCOMPARE(ColumnTexts(1), QStringList::fromVector({QString::fromUtf8("Анна"), QString::fromUtf8("Борис"),
                                                     QString::fromUtf8("Вера"), QString::fromUtf8("Глеб")}));
    ClickHeader(1);
    QCOMPARE(Cell(0, 1), QString::fromUtf8("Глеб"));
    ClickHeader(2);  // plain: city alone, ties by insertion
    QCOMPARE(ColumnTexts(0), QStringList({"20", "3", "100", "20"}));
    ClickHeader(0, Qt::ShiftModifier);  // city, then phone
    QCOMPARE(ColumnTexts(0), QStringList({"20", "3", "100", "20"}));
    ClickHeader(0, Qt::ShiftModifier);  // phone reversed within each city
    QCOMPARE(ColumnTexts(0), QStringList({"3", "20", "20", "100"}));
    ClickHeader(2, Qt::ControlModifier);  // phone descending alone
    QCOMPARE(ColumnTexts(0), QStringList({"3", "20", "20", "100"}));
    QCOMPARE(Cell(1, 1), QString::fromUtf8("Борис"));
  }

  void ctrlClickOnTheInitialSortLeavesInsertionOrder() {
    Fill({0, 1, 2, 3});
    ClickHeader(0, Qt::ControlModifier);
    QCOMPARE(ColumnTexts(0), QStringList({"20", "100", "3", "20"}));
  }

  void theUsersSortSurvivesTheNextSearch() {
    Fill({0, 1, 2, 3});
    ClickHeader(1);
    Fill({3, 2, 1});
    QCOMPARE(ColumnTexts(0), QStringList({"100", "3", "20"}));
  }
};

QTEST_MAIN(ResultGridQTest)
#include "ResultGridQTest.moc"
