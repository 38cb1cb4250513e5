#include <QAbstractItemView>
#include <QApplication>
#include <QShortcut>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

#include "tests/ui/inputs/support/TypeKeys.h"
#include "tests/ui/inputs/support/Utf8Text.h"
#include "ui/inputs/LookupComboBox.h"

class LookupComboBoxQTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QWidget> window_;
  TLookupComboBox* combo_ = nullptr;

  // Fills the way the window does: cleared selection, one bulk refill, the empty entry selected.
  void Fill(const std::vector<const char*>& names) {
    combo_->SelectPosition(-1);
    combo_->BeginUpdate();
    combo_->ClearEntries();
    for (size_t i = 0; i < names.size(); ++i) combo_->AddEntry(U(names[i]), static_cast<int32_t>(i));
    combo_->EndUpdate();
    combo_->SelectPosition(0);
  }

  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { QTest::keyClick(combo_, key, modifiers); }

 private slots:
  void init() {
    window_ = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(window_.get());
    combo_ = new TLookupComboBox;
    layout->addWidget(combo_);
    Fill({"", "Москва", "Заречный", "Абакан", "ЗАРЕЧНЫЙ", "зеленоград", "Зима", "Березники", "Волжский"});
    window_->show();
    QApplication::setActiveWindow(window_.get());
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    combo_->setFocus();
  }

  void cleanup() { window_.reset(); }

  void entriesAreCollatedOnceWithTheEmptyFirst() {
    QCOMPARE(combo_->count(), 8);
    QCOMPARE(combo_->itemText(0), QString());
    QCOMPARE(combo_->itemText(1), U("Абакан"));
    QCOMPARE(combo_->itemText(4), U("Заречный"));
    QCOMPARE(combo_->currentIndex(), 0);
    QCOMPARE(combo_->SelectedValue(), 0);
    QVERIFY(!combo_->isEditable());
    QCOMPARE(combo_->maxVisibleItems(), 8);
  }

  void refusedDuplicatesKeepTheirValuesWithTheListedEntry() {
    combo_->SelectPosition(4);
    QCOMPARE(combo_->SelectedValue(), 2);
    QCOMPARE(combo_->SelectedValues(), std::vector<int32_t>({2, 4}));
    combo_->SelectPosition(-1);
    QCOMPARE(combo_->SelectedValue(), -1);
    QVERIFY(combo_->SelectedValues().empty());
    combo_->SelectPosition(99);
    QCOMPARE(combo_->currentIndex(), -1);
  }

  void addingOutsideABulkUpdateInsertsInPlace() {
    combo_->SelectPosition(2);  // Березники
    combo_->AddEntry(U("Анапа"), 20);
    QCOMPARE(combo_->itemText(1), U("Абакан"));
    QCOMPARE(combo_->itemText(2), U("Анапа"));
    QCOMPARE(combo_->currentText(), U("Березники"));
    QCOMPARE(combo_->SelectedValue(), 7);
  }

  void refillKeepsTheSelectedEntryAndReportsOnlyRealChanges() {
    combo_->SelectPosition(4);  // Заречный
    QSignalSpy changed(combo_, &QComboBox::currentIndexChanged);
    combo_->BeginUpdate();
    combo_->AddEntry(U("Анапа"), 30);
    combo_->EndUpdate();
    QCOMPARE(combo_->currentText(), U("Заречный"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toInt(), 5);
    combo_->SelectPosition(-1);
    changed.clear();
    combo_->BeginUpdate();
    combo_->AddEntry(U("Белово"), 31);
    combo_->EndUpdate();
    QCOMPARE(combo_->currentIndex(), -1);
    QCOMPARE(changed.count(), 0);
  }

  void bulkUpdateFillsTheListOnceAtTheEnd() {
    QSignalSpy inserted(combo_->model(), &QAbstractItemModel::rowsInserted);
    combo_->BeginUpdate();
    combo_->BeginUpdate();
    combo_->ClearEntries();
    for (int i = 0; i < 3000; ++i) combo_->AddEntry(QStringLiteral("Street %1").arg(i), i);
    combo_->EndUpdate();
    QCOMPARE(combo_->count(), 8);  // nested: nothing yet
    QCOMPARE(inserted.count(), 0);
    combo_->EndUpdate();
    QCOMPARE(combo_->count(), 3000);
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(combo_->itemText(0), QStringLiteral("Street 0"));
    QCOMPARE(combo_->itemText(1), QStringLiteral("Street 1"));
    QCOMPARE(combo_->itemText(2), QStringLiteral("Street 10"));
  }

  void typedLetterSelectsTheFirstEntryBeginningWithIt() {
    QSignalSpy changed(combo_, &QComboBox::currentIndexChanged);
    TypeKeys(combo_, U("з"));
    QCOMPARE(combo_->currentText(), U("Заречный"));
    QCOMPARE(combo_->HighlightedText(), U("аречный"));
    QCOMPARE(changed.count(), 1);
    TypeKeys(combo_, U("е"));
    QCOMPARE(combo_->currentText(), U("зеленоград"));
    QCOMPARE(combo_->HighlightedText(), U("леноград"));
    TypeKeys(combo_, U("Л"));
    QCOMPARE(combo_->HighlightedText(), U("еноград"));
  }

  void keystrokeWithoutAMatchIsDropped() {
    TypeKeys(combo_, U("зи"));
    QCOMPARE(combo_->currentText(), U("Зима"));
    QSignalSpy changed(combo_, &QComboBox::currentIndexChanged);
    TypeKeys(combo_, U("ю"));
    QCOMPARE(combo_->currentText(), U("Зима"));
    QCOMPARE(combo_->HighlightedText(), U("ма"));
    TypeKeys(combo_, U("Ж"));
    QCOMPARE(combo_->currentText(), U("Зима"));
    QCOMPARE(changed.count(), 0);
  }

  void wholeMatchedTextGrowsOrStartsOver() {
    TypeKeys(combo_, U("Зима"));
    QCOMPARE(combo_->currentText(), U("Зима"));
    QCOMPARE(combo_->HighlightedText(), QString());
    TypeKeys(combo_, U("в"));  // no "Зимав": the letter alone
    QCOMPARE(combo_->currentText(), U("Волжский"));
    QCOMPARE(combo_->HighlightedText(), U("олжский"));
  }

  void backspaceShortensTheSearchText() {
    TypeKeys(combo_, U("зи"));
    QCOMPARE(combo_->currentText(), U("Зима"));
    Key(Qt::Key_Backspace);
    QCOMPARE(combo_->currentText(), U("Заречный"));
    QCOMPARE(combo_->HighlightedText(), U("аречный"));
    Key(Qt::Key_Backspace);
    QCOMPARE(combo_->currentIndex(), 0);
    Key(Qt::Key_Backspace);
    QCOMPARE(combo_->currentIndex(), 0);
  }

  void arrowsDoNotWrapAndEndSearch() {
    TypeKeys(combo_, U("а"));
    QCOMPARE(combo_->currentIndex(), 1);
    Key(Qt::Key_Up);
    QCOMPARE(combo_->currentIndex(), 0);
    QCOMPARE(combo_->HighlightedText(), QString());
    Key(Qt::Key_Up);
    QCOMPARE(combo_->currentIndex(), 0);
    Key(Qt::Key_End);
    QCOMPARE(combo_->currentIndex(), 7);
    Key(Qt::Key_Down);
    QCOMPARE(combo_->currentIndex(), 7);
    Key(Qt::Key_Home);
    QCOMPARE(combo_->currentIndex(), 0);
    Key(Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(combo_->currentIndex(), 7);
    Key(Qt::Key_PageUp, Qt::ControlModifier);
    QCOMPARE(combo_->currentIndex(), 0);
  }

  void pagingMovesBySevenAndStopsAtTheEnds() {
    combo_->BeginUpdate();
    for (int i = 0; i < 12; ++i) combo_->AddEntry(QStringLiteral("N%1").arg(i, 2, 10, QChar(u'0')), 100 + i);
    combo_->EndUpdate();
    QCOMPARE(combo_->count(), 20);
    combo_->SelectPosition(0);
    Key(Qt::Key_PageDown);
    QCOMPARE(combo_->currentIndex(), 7);
    Key(Qt::Key_PageDown);
    QCOMPARE(combo_->currentIndex(), 14);
    Key(Qt::Key_PageDown);
    QCOMPARE(combo_->currentIndex(), 19);
    Key(Qt::Key_PageUp);
    QCOMPARE(combo_->currentIndex(), 12);
    combo_->SelectPosition(3);
    Key(Qt::Key_PageUp);
    QCOMPARE(combo_->currentIndex(), 0);
  }

  void emptyListIgnoresKeys() {
    combo_->ClearEntries();
    QCOMPARE(combo_->count(), 0);
    Key(Qt::Key_PageDown);
    Key(Qt::Key_End);
    TypeKeys(combo_, U("з"));
    Key(Qt::Key_Backspace);
    QCOMPARE(combo_->currentIndex(), -1);
    QCOMPARE(combo_->SelectedValue(), -1);
  }

  void openListShowsEightEntries() {
    for (int i = 0; i < 12; ++i) combo_->AddEntry(QStringLiteral("N%1").arg(i), 100 + i);
    combo_->showPopup();
    QTRY_VERIFY(combo_->IsListOpen());
    QCOMPARE(combo_->view()->viewport()->height() / combo_->view()->sizeHintForRow(0), 8);
    combo_->hidePopup();
  }

  void openListKeepsEnterAndSearchesToo() {
    int defaultPresses = 0;
    auto* enter = new QShortcut(QKeySequence(Qt::Key_Return), window_.get());
    connect(enter, &QShortcut::activated, [&] { ++defaultPresses; });
    Key(Qt::Key_Return);
    QCOMPARE(defaultPresses, 1);  // closed: Enter goes on to the window

    combo_->showPopup();
    QTRY_VERIFY(combo_->IsListOpen());
    QAbstractItemView* list = combo_->view();
    TypeKeys(list, U("з"));
    QCOMPARE(list->currentIndex().row(), 4);
    QTest::keyClick(list, Qt::Key_PageDown);
    QCOMPARE(list->currentIndex().row(), 7);
    QTest::keyClick(list, Qt::Key_Return);
    QTRY_VERIFY(!combo_->IsListOpen());
    QCOMPARE(combo_->currentIndex(), 7);
    QCOMPARE(defaultPresses, 1);
  }
};

QTEST_MAIN(LookupComboBoxQTest)
#include "LookupComboBoxQTest.moc"
