#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QProxyStyle>
#include <QTableView>
#include <QtTest>

#include "tests/ui/grid/support/TableSource.h"
#include "tests/ui/support/MessageBoxCatcher.h"
#include "ui/grid/GridModel.h"
#include "ui/grid/GroupArea.h"
#include "ui/grid/OrderedRows.h"
#include "ui/grid/ResultGrid.h"
#include "ui/text/Text1251.h"

namespace {

std::vector<TGridColumn> Columns() {
  return {{QString::fromUtf8("Телефон"), 89, Qt::AlignRight},
          {QString::fromUtf8("Абонент"), 212, Qt::AlignLeft},
          {QString::fromUtf8("Город"), 139, Qt::AlignLeft}};
}

// Phone, owner, city: bytes of Windows-1251.
const std::vector<std::vector<std::string>> kRows = {
    {"20", "\xC1\xEE\xF0\xE8\xF1", "\xC7\xE0\xF0\xE5\xF7\xED\xFB\xE9"},  // Борис, Заречный
    {"100", "\xC0\xED\xED\xE0", "\xCC\xE8\xF0"},                         // Анна, Мир
    {"3", "\xC2\xE5\xF0\xE0", "\xC7\xE0\xF0\xE5\xF7\xED\xFB\xE9"},       // Вера, Заречный
    {"20", "\xC3\xEB\xE5\xE1", "\xCC\xE8\xF0"},                          // Глеб, Мир
};

// The texts the header gives its style to draw, as they reach the screen.
class TDrawnTexts : public QProxyStyle {
 public:
  void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette, bool enabled,
                    const QString& text, QPalette::ColorRole role) const override {
    Texts << text;
    QProxyStyle::drawItemText(painter, rect, flags, palette, enabled, text, role);
  }
  mutable QStringList Texts;
};

}  // namespace

class ResultGridQTest : public QObject {
  Q_OBJECT

 private:
  TTableSource source_{kRows};
  TDrawnTexts drawn_;  // outlives the grid that may draw with it
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

  // Every group expanded: its text, then the phone and owner of each row.
  QStringList ShownExpanded() {
    auto* model = static_cast<TGridModel*>(Model());
    QStringList shown;
    for (int row = 0; row < model->rowCount(); ++row) {
      if (!model->IsGroupRow(row)) {
        shown << Cell(row, 0) + " " + Cell(row, 1);
        continue;
      }
      model->SetExpanded(row, true);
      shown << model->GroupText(row);
    }
    return shown;
  }

  void SelectRow(int row) { grid_->View()->setCurrentIndex(Model()->index(row, 0)); }

  TGroupArea* GroupArea() const { return grid_->findChild<TGroupArea*>(); }

  // Presses a header, drags it up and lets it go over the group area.
  void DragHeaderToGroupArea(int column) {
    QWidget* headerPort = Header()->viewport();
    const QPoint start(Header()->sectionViewportPosition(column) + Header()->sectionSize(column) / 2,
                       Header()->height() / 2);
    const QPoint target = headerPort->mapFromGlobal(GroupArea()->mapToGlobal(GroupArea()->rect().center()));
    QTest::mousePress(headerPort, Qt::LeftButton, Qt::NoModifier, start);
    QTest::mouseMove(headerPort, start + QPoint(0, -3));
    QTest::mouseMove(headerPort, target);
    QTest::mouseRelease(headerPort, Qt::LeftButton, Qt::NoModifier, target);
  }

  // Drags the first grouping button down onto the header, over the given column.
  void DragButtonToHeader(int overColumn) {
    const QPoint start = GroupArea()->ButtonRect(0).center();
    const QPoint onHeader(Header()->sectionViewportPosition(overColumn) + 5, Header()->height() / 2);
    const QPoint target = GroupArea()->mapFromGlobal(Header()->viewport()->mapToGlobal(onHeader));
    QTest::mousePress(GroupArea(), Qt::LeftButton, Qt::NoModifier, start);
    QTest::mouseMove(GroupArea(), target);
    QTest::mouseRelease(GroupArea(), Qt::LeftButton, Qt::NoModifier, target);
  }

  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(grid_->View(), key, modifiers);
  }

  int ShownWidth() const {
    int width = 0;
    for (int column = 0; column < Header()->count(); ++column) {
      if (!Header()->isSectionHidden(column)) width += Header()->sectionSize(column);
    }
    return width;
  }

  // Every signal the model sends, through fills, sorts, grouping, expanding, deleting
  // and inserting, is checked against what the model then reports; a fault aborts.
  void ShowGrid(const TTableSource& source, int width) {
    grid_ = std::make_unique<TResultGrid>(Columns(), source);
    new QAbstractItemModelTester(Model(), QAbstractItemModelTester::FailureReportingMode::Fatal, Model());
    grid_->resize(width, 300);
    grid_->show();
  }

 private slots:
  void init() {
    ShowGrid(source_, 600);
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

  void rowsAddedOutsideAnUpdateAreOrderedOnceControlReturns() {
    for (uint32_t key = 0; key < kRows.size(); ++key) grid_->AppendRow(key);
    QCOMPARE(grid_->RowCount(), 4);
    QCoreApplication::processEvents();
    QCOMPARE(ColumnTexts(0), QStringList({"100", "20", "20", "3"}));
    grid_->ClearRows();
    QCoreApplication::processEvents();
    QCOMPARE(Model()->rowCount(), 0);
  }

  // The view's menu does without the mouse what header clicks and drags do.
  void theMenuSortsAndGroupsByTheCurrentColumn() {
    Fill({0, 1, 2, 3});
    const auto trigger = [this](const char* name) {
      QAction* action = grid_->View()->findChild<QAction*>(QString::fromLatin1(name));
      QVERIFY2(action && grid_->View()->actions().contains(action), name);
      action->trigger();
    };
    QCOMPARE(grid_->View()->contextMenuPolicy(), Qt::ActionsContextMenu);
    grid_->View()->setCurrentIndex(Model()->index(0, 1));
    trigger("actSortByColumn");
    QCOMPARE(grid_->Order().SortList(), std::vector<TSortKey>({{1, false}}));
    trigger("actSortByColumn");
    QCOMPARE(Cell(0, 1), QString::fromUtf8("Глеб"));
    grid_->View()->setCurrentIndex(Model()->index(0, 0));
    trigger("actAddSortColumn");
    QCOMPARE(grid_->Order().SortList(), std::vector<TSortKey>({{1, true}, {0, false}}));
    grid_->View()->setCurrentIndex(Model()->index(0, 2));
    trigger("actGroupByColumn");
    QCOMPARE(grid_->Order().Grouping(), std::vector<int>({2}));
    QVERIFY(Header()->isSectionHidden(2));
    trigger("actUngroup");
    QVERIFY(grid_->Order().Grouping().empty());
    QVERIFY(!Header()->isSectionHidden(2));
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

  void theFocusedRowStaysFocusedWhenTheOrderChanges() {
    Fill({0, 1, 2, 3});
    SelectRow(3);  // 3, Вера
    ClickHeader(1);
    QCOMPARE(grid_->View()->currentIndex().row(), 2);
    QCOMPARE(Cell(grid_->View()->currentIndex().row(), 1), QString::fromUtf8("Вера"));
    QCOMPARE(grid_->View()->selectionModel()->selectedRows().size(), 1);
    QCOMPARE(grid_->View()->selectionModel()->selectedRows().first().row(), 2);
  }

  void columnOrderWidthsAndGroupingSurviveTheNextSearch() {
    Fill({0, 1, 2, 3});
    Header()->moveSection(1, 0);
    DragHeaderToGroupArea(2);
    Header()->resizeSection(1, 150);
    const int phoneWidth = Header()->sectionSize(0);
    Fill({2, 3});
    QCOMPARE(Header()->visualIndex(1), 0);
    QCOMPARE(Header()->sectionSize(1), 150);
    QCOMPARE(Header()->sectionSize(0), phoneWidth);
    QVERIFY(Header()->isSectionHidden(2));
    QCOMPARE(Model()->rowCount(), 2);  // Заречный and Мир, collapsed
    QCOMPARE(grid_->RowCount(), 2);
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

  // Rows ordered away from the grid, for the order it had then or one it had before,
  // show as the same rows appended would; an ordering told to stop yields nothing.
  void rowsOrderedElsewhereShowAsAppendedRowsWould() {
    const std::vector<uint32_t> keys = {3, 2, 1, 0};
    const auto never = [] { return false; };
    std::optional<TOrderedRows> before = OrderRows(keys, grid_->Order().ComparisonKeys(), 0, source_, never);
    DragHeaderToGroupArea(2);
    ClickHeader(1);
    ClickHeader(1);
    std::optional<TOrderedRows> now =
        OrderRows(keys, grid_->Order().ComparisonKeys(), grid_->Order().Grouping().size(), source_, never);
    QVERIFY(before && now);
    Fill(keys);
    const QStringList appended = ShownExpanded();
    QCOMPARE(appended.size(), 6);
    for (TOrderedRows* rows : {&*now, &*before}) {
      grid_->BeginUpdate();
      grid_->TakeRows(std::move(*rows));
      grid_->EndUpdate();
      QCOMPARE(ShownExpanded(), appended);
      QCOMPARE(grid_->RowCount(), 4);
    }
    QVERIFY(!OrderRows(keys, grid_->Order().ComparisonKeys(), 1, source_, [] { return true; }));
  }

  void draggingAHeaderUpGroupsByItsColumnCollapsed() {
    Fill({0, 1, 2, 3});
    DragHeaderToGroupArea(2);
    QVERIFY(Header()->isSectionHidden(2));
    QCOMPARE(Model()->rowCount(), 2);
    QCOMPARE(Model()->index(0, 0).data().toString(), QString());
    QCOMPARE(grid_->RowCount(), 4);
    QCOMPARE(GroupArea()->ButtonRect(0).isValid(), true);
    auto* view = static_cast<QTableView*>(grid_->View());
    // Expanding by the marker at the start of a group row.
    const QRect first = view->visualRect(Model()->index(0, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(8, first.center().y()));
    QCOMPARE(Model()->rowCount(), 4);
    QCOMPARE(ColumnTexts(0), QStringList({"", "20", "3", ""}));
  }

  void clickingAGroupButtonReversesItsGroups() {
    Fill({0, 1, 2, 3});
    DragHeaderToGroupArea(2);
    QTest::mouseClick(GroupArea(), Qt::LeftButton, Qt::NoModifier, GroupArea()->ButtonRect(0).center());
    grid_->View()->setCurrentIndex(Model()->index(0, 0));
    Press(Qt::Key_Right);
    // Мир before Заречный now; the phones inside stay ascending.
    QCOMPARE(ColumnTexts(0), QStringList({"", "100", "20", ""}));
  }

  void draggingAGroupButtonBackUngroups() {
    Fill({0, 1, 2, 3});
    DragHeaderToGroupArea(2);
    DragButtonToHeader(0);
    QVERIFY(!Header()->isSectionHidden(2));
    QCOMPARE(Header()->visualIndex(2), 0);
    QCOMPARE(ColumnTexts(0), QStringList({"100", "20", "20", "3"}));
  }

  void deleteAsksFirstAndRemovesOnlyOnOk() {
    Fill({0, 1, 2, 3});
    SelectRow(1);
    TMessageBoxCatcher boxes;
    boxes.AnswerNext(QMessageBox::Cancel);
    Press(Qt::Key_Delete);
    QCOMPARE(boxes.Seen().size(), size_t{1});
    const auto& [title, text, icon, buttons] = boxes.Seen()[0];
    QCOMPARE(buttons, QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(text, QString::fromUtf8("Удалить запись?"));
    QCOMPARE(title, QString::fromUtf8("Подтверждение"));
    QCOMPARE(icon, QMessageBox::Question);
    QCOMPARE(grid_->RowCount(), 4);
    boxes.AnswerNext(QMessageBox::Ok);
    Press(Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(boxes.Seen().size(), size_t{2});
    QCOMPARE(grid_->RowCount(), 3);
    QCOMPARE(ColumnTexts(1), QStringList::fromVector(
                                 {QString::fromUtf8("Анна"), QString::fromUtf8("Глеб"), QString::fromUtf8("Вера")}));
  }

  // Ctrl+click and Ctrl+A choose several rows; copy and delete then take all of them,
  // group rows never, with one question for the lot.
  void severalRowsAreCopiedAndRemovedTogether() {
    Fill({0, 1, 2, 3});
    SelectRow(0);
    QTest::mouseClick(grid_->View()->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      grid_->View()->visualRect(Model()->index(2, 0)).center());
    QApplication::clipboard()->clear();
    Press(Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(),
             QString::fromUtf8("Телефон\tАбонент\tГород\r\n100\tАнна\tМир\r\n20\tГлеб\tМир"));
    TMessageBoxCatcher boxes;
    boxes.AnswerNext(QMessageBox::Cancel);
    Press(Qt::Key_Delete);
    QCOMPARE(grid_->RowCount(), 4);
    Press(Qt::Key_Delete);
    QCOMPARE(boxes.Seen().size(), size_t{2});
    QCOMPARE(boxes.Seen()[1].Text, QString::fromUtf8("Удалить выбранные записи (2)?"));
    QCOMPARE(ColumnTexts(1), QStringList::fromVector({QString::fromUtf8("Борис"), QString::fromUtf8("Вера")}));

    Fill({0, 1, 2, 3});
    DragHeaderToGroupArea(2);
    for (int row = Model()->rowCount() - 1; row >= 0; --row) static_cast<TGridModel*>(Model())->SetExpanded(row, true);
    Press(Qt::Key_A, Qt::ControlModifier);
    Press(Qt::Key_Delete);
    QCOMPARE(boxes.Seen().back().Text, QString::fromUtf8("Удалить выбранные записи (4)?"));
    QCOMPARE(grid_->RowCount(), 0);
  }

  void deleteOnAnEmptyListAsksNothing() {
    TMessageBoxCatcher boxes;
    Press(Qt::Key_Delete);
    const bool asked = !boxes.Seen().empty();
    QVERIFY(!asked);
    QCOMPARE(grid_->RowCount(), 0);
  }

  void insertAddsAnEmptyRowAtTheFocusedPlaceUntilTheNextSearch() {
    Fill({0, 1, 2});
    SelectRow(1);
    Press(Qt::Key_Insert);
    QCOMPARE(grid_->RowCount(), 4);
    QCOMPARE(ColumnTexts(0), QStringList({"100", "", "20", "3"}));
    QCOMPARE(grid_->View()->currentIndex().row(), 1);
    QVERIFY(!(Model()->flags(Model()->index(1, 0)) & Qt::ItemIsEditable));
    ClickHeader(0);  // descending: the empty text goes last
    QCOMPARE(ColumnTexts(0), QStringList({"3", "20", "100", ""}));
    Fill({0});
    QCOMPARE(ColumnTexts(0), QStringList({"20"}));
  }

  void anEmptyRowInsertedInAGroupStaysThereUntilTheOrderChanges() {
    Fill({0, 1, 2, 3});
    DragHeaderToGroupArea(2);
    auto* model = static_cast<TGridModel*>(Model());
    grid_->View()->setCurrentIndex(Model()->index(0, 0));
    Press(Qt::Key_Right);  // Заречный: 20, 3
    SelectRow(1);
    Press(Qt::Key_Insert);
    QCOMPARE(ColumnTexts(0), QStringList({"", "", "20", "3", ""}));
    QCOMPARE(model->GroupText(0), QString::fromUtf8("Город : Заречный"));
    QCOMPARE(grid_->RowCount(), 5);
    ClickHeader(0);  // re-ordered: the empty row forms a group of the empty city, first
    QCOMPARE(model->GroupText(0), QString::fromUtf8("Город : "));
    QCOMPARE(Model()->rowCount(), 3);
  }

  void deletingTheOnlyRowOfNestedGroupsRemovesTheirGroupRows() {
    Fill({0, 1, 2, 3});
    DragHeaderToGroupArea(2);  // city, then phone within it
    DragHeaderToGroupArea(0);
    auto* model = static_cast<TGridModel*>(Model());
    grid_->View()->setCurrentIndex(Model()->index(0, 0));
    Press(Qt::Key_Right);  // Заречный: 20, 3
    grid_->View()->setCurrentIndex(Model()->index(1, 0));
    Press(Qt::Key_Right);  // 20: Борис
    QCOMPARE(Model()->rowCount(), 5);
    QCOMPARE(model->GroupText(1), QString::fromUtf8("Телефон : 20"));
    SelectRow(2);
    TMessageBoxCatcher boxes;
    Press(Qt::Key_Delete);
    QCOMPARE(boxes.Seen().size(), size_t{1});
    QCOMPARE(grid_->RowCount(), 3);
    QCOMPARE(Model()->rowCount(), 3);  // Заречный, 3, Мир
    QCOMPARE(model->GroupText(1), QString::fromUtf8("Телефон : 3"));
    QCOMPARE(model->GroupText(2), QString::fromUtf8("Город : Мир"));
    grid_->View()->setCurrentIndex(Model()->index(0, 0));
    Press(Qt::Key_Left);
    QCOMPARE(Model()->rowCount(), 2);
    Press(Qt::Key_Right);  // the emptied phone group stays away
    QCOMPARE(Model()->rowCount(), 3);
  }

  void groupStartsListNestedGroupsCollapsedOrNotInRowOrder() {
    Fill({0, 1, 2, 3});
    QVERIFY(grid_->GroupStarts().empty());
    DragHeaderToGroupArea(2);  // city, then phone within it
    DragHeaderToGroupArea(0);
    QCOMPARE(grid_->ShownKeys(), std::vector<uint32_t>({0, 2, 1, 3}));
    QStringList starts;
    for (const TGroupStart& group : grid_->GroupStarts()) {
      starts << QStringLiteral("%1/%2/%3 %4").arg(group.Row).arg(group.Level).arg(group.Column).arg(group.Value);
    }
    QCOMPARE(starts, QStringList({"0/0/2 Заречный", "0/1/0 20", "1/1/0 3", "2/0/2 Мир", "2/1/0 100", "3/1/0 20"}));
  }

  void copyPutsHeadersAndTheSelectedRowOnTheClipboard() {
    Fill({0, 1, 2, 3});
    Header()->moveSection(2, 0);
    SelectRow(2);
    QApplication::clipboard()->clear();
    Press(Qt::Key_C, Qt::ControlModifier);
    const QString expected = QString::fromUtf8("Город\tТелефон\tАбонент\r\nМир\t20\tГлеб");
    QCOMPARE(QApplication::clipboard()->text(), expected);
    QApplication::clipboard()->clear();
    DragHeaderToGroupArea(1);  // grouped columns are not shown, so not copied
    grid_->View()->setCurrentIndex(Model()->index(0, 0));
    Press(Qt::Key_Right);
    SelectRow(1);
    Press(Qt::Key_Insert, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QString::fromUtf8("Город\tТелефон\r\nМир\t100"));
  }

  void columnsAlwaysFillTheWidth() {
    auto* view = static_cast<QTableView*>(grid_->View());
    QCOMPARE(ShownWidth(), view->viewport()->width());
    grid_->resize(900, 300);
    QCOMPARE(ShownWidth(), view->viewport()->width());
    const int before = Header()->sectionSize(0);
    Header()->resizeSection(1, Header()->sectionSize(1) + 40);  // as a drag of the edge does
    QCOMPARE(ShownWidth(), view->viewport()->width());
    QCOMPARE(Header()->sectionSize(0), before);
    Fill({0, 1});
    DragHeaderToGroupArea(2);
    QCOMPARE(ShownWidth(), view->viewport()->width());
  }

  void columnsKeepTheirProportionsThroughANarrowView() {
    grid_->resize(1, 300);  // no room at all, as while the window is being built
    grid_->resize(89 + 212 + 139 + 60, 300);
    const double scale = Header()->length() / double(89 + 212 + 139);
    QVERIFY(qAbs(Header()->sectionSize(0) - 89 * scale) <= 1.0);
    QVERIFY(qAbs(Header()->sectionSize(1) - 212 * scale) <= 1.0);
    QVERIFY(qAbs(Header()->sectionSize(2) - 139 * scale) <= 1.0);
  }

  void aHeaderTooNarrowForItsTextEndsItWithAnEllipsis() {
    Header()->setStyle(&drawn_);
    Header()->resizeSection(1, 50);
    const auto drawnOwner = [this] {
      drawn_.Texts.clear();
      Header()->grab();
      for (const QString& text : drawn_.Texts)
        if (text.endsWith(QChar(0x2026)) || text == QString::fromUtf8("Абонент")) return text;
      return QString();
    };
    const QString unsorted = drawnOwner();
    QVERIFY2(unsorted.endsWith(QChar(0x2026)) && QString::fromUtf8("Абонент").startsWith(unsorted.chopped(1)),
             qPrintable(unsorted));
    QVERIFY(drawn_.Texts.contains(QString::fromUtf8("Город")));
    ClickHeader(1);  // the direction mark leaves the text less room
    const QString sorted = drawnOwner();
    QVERIFY2(sorted.endsWith(QChar(0x2026)) && sorted.size() <= unsorted.size(), qPrintable(sorted));
  }

  void aWrappedRowIsAsHighAsItsTallestCell() {
    const std::string longName(120, '\xC0');
    TTableSource source(
        {{"1", "short", "x"},
         {"2", longName.substr(0, 40) + " " + longName.substr(0, 40) + " " + longName.substr(0, 40), "y"}});
    ShowGrid(source, 400);
    QVERIFY(QTest::qWaitForWindowExposed(grid_.get()));
    Fill({0, 1});
    grid_->View()->viewport()->repaint();
    auto* view = static_cast<QTableView*>(grid_->View());
    QVERIFY(view->rowHeight(1) >= 2 * view->rowHeight(0));
    grid_.reset();
  }
};

QTEST_MAIN(ResultGridQTest)
#include "ResultGridQTest.moc"
