// The two search options of the window: «Искать при вводе» searches every change of
// the inputs, «Гибкий поиск» lets the number field take a number as people write it,
// and both are remembered from one run to the next.

#include <QAbstractItemView>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "tests/ui/inputs/support/TypeKeys.h"
#include "tests/ui/window/support/LongSearch.h"
#include "tests/ui/window/support/WindowFixture.h"
#include "ui/Application.h"
#include "ui/PhoneCellSource.h"
#include "ui/SearchRunner.h"
#include "ui/grid/ResultGrid.h"
#include "ui/inputs/LookupComboBox.h"
#include "ui/inputs/MaskEdit.h"

namespace {

TDirectoryWriter NamesDirectory() {
  TDirectoryWriter directory;
  directory.City("Заречный").City("Озёрск");
  directory.Owner("Иванов Иван").Phone({20, 1, 0, 12, 45, "а"});
  directory.Owner("Иванова Анна").Phone({100, 2, 0, 0, 0, ""});
  directory.Owner("ИВАНЕНКО").Phone({3, 0, 0, 1, 7, ""});
  directory.Owner("Петров").Phone({9123456789, 1, 0, 9, 9, ""});
  return directory;
}

void Paste(TMaskEdit* field, const QString& text) {
  field->clear();
  QApplication::clipboard()->setText(text);
  field->PasteFiltered();
}

}  // namespace

class SearchAsYouTypeQTest : public QObject {
  Q_OBJECT
 private slots:
  // Keys are sent without the event loop running in between, so the searches of the
  // first letters are superseded before any of them can end.
  void everyChangeSearchesAndOnlyTheLastInputsShow() {
    TWindowFixture fixture(NamesDirectory());
    QVERIFY(fixture.ShowAndWait());
    TfrmMain& window = fixture.Window();
    window.chkSearchAsYouType->setChecked(true);
    QList<int> rowCounts;
    QObject watch;
    connect(window.gPhones->View()->model(), &QAbstractItemModel::modelReset, &watch,
            [&] { rowCounts << window.gPhones->RowCount(); });
    window.teOwner->setFocus();
    bool hourglass = false;
    for (QChar c : QStringLiteral("иван")) {
      TypeKeys(window.teOwner, c);
      QVERIFY(window.Searching());
      hourglass = hourglass || QApplication::overrideCursor();
    }
    QVERIFY2(!hourglass, "typing keeps the normal cursor");
    QVERIFY(WaitForSearch(window));
    QCOMPARE(rowCounts, QList<int>({3}));
    QCOMPARE(ColumnTexts(window, colOwner), QStringList({"Иванова Анна", "Иванов Иван", "ИВАНЕНКО"}));
    QCOMPARE(StatusOf(window), QStringLiteral("Поиск завершён. Найдено 3 записей."));

    window.cbCity->setCurrentIndex(window.cbCity->findText(QStringLiteral("Озёрск")));
    QVERIFY(WaitForSearch(window));
    QCOMPARE(ColumnTexts(window, colOwner), QStringList({"Иванова Анна"}));
  }

  // Emptied fields leave nothing to search: the rows on show stay, and so does the
  // status of the search that found them.
  void nothingToSearchSearchesNothing() {
    TWindowFixture fixture(NamesDirectory());
    QVERIFY(fixture.ShowAndWait());
    TfrmMain& window = fixture.Window();
    window.chkSearchAsYouType->setChecked(true);
    window.teOwner->setText(QStringLiteral("петров"));
    QVERIFY(WaitForSearch(window));
    QCOMPARE(window.gPhones->RowCount(), 1);
    window.teOwner->setText(QStringLiteral("  "));
    QVERIFY(!window.Searching());
    QCOMPARE(window.gPhones->RowCount(), 1);
    QCOMPARE(StatusOf(window), QStringLiteral("Поиск завершён. Найдено 1 записей."));
  }

  void uncheckedTypingOnlyEnablesTheButton() {
    TWindowFixture fixture(NamesDirectory());
    QVERIFY(fixture.ShowAndWait());
    TfrmMain& window = fixture.Window();
    const QString loaded = StatusOf(window);
    window.teOwner->setFocus();
    TypeKeys(window.teOwner, QStringLiteral("иван"));
    QVERIFY(!window.Searching());
    QVERIFY(window.btnGo->isEnabled());
    QCoreApplication::processEvents();
    QCOMPARE(window.gPhones->RowCount(), 0);
    QCOMPARE(StatusOf(window), loaded);
  }

  // An expression that does not compile is no input to search; the search for the
  // text before it no longer fits the fields either.
  void expressionThatDoesNotCompileStopsTheSearchAsTyped() {
    TWindowFixture fixture(HostilePhonesDirectory());
    QVERIFY(fixture.ShowAndWait());
    TfrmMain& window = fixture.Window();
    TMessageBoxCatcher boxes;
    window.chkSearchAsYouType->setChecked(true);
    window.chkRegExpr->setChecked(true);
    window.mePhone->setText(kHostilePhoneExpression);
    QVERIFY(window.Searching());
    window.teOwner->setText(QStringLiteral("(петров"));
    QVERIFY(!window.btnGo->isEnabled());
    QVERIFY(!window.Searching());
    QCOMPARE(StatusOf(window), QStringLiteral("Поиск отменён."));
    window.teOwner->setText(QStringLiteral("(петров)"));
    window.mePhone->setText(QStringLiteral("^9000000000000000004$"));
    QVERIFY(WaitForSearch(window));
    QCOMPARE(ColumnTexts(window, colPhone), QStringList({"9000000000000000004"}));
    QTRY_COMPARE(window.SearchRunner().Threads(), 0);
    QVERIFY(boxes.Seen().empty());

    // Leaving expression mode changes what the same texts find.
    window.teOwner->clear();
    window.mePhone->setText(QStringLiteral("4"));
    window.chkRegExpr->setChecked(true);
    QVERIFY(WaitForSearch(window));
    const int anywhere = window.gPhones->RowCount();
    window.chkRegExpr->setChecked(false);
    QVERIFY(window.Searching());
    QVERIFY(WaitForSearch(window));
    QVERIFY2(window.gPhones->RowCount() < anywhere, "the tail finds fewer numbers than the digit anywhere");
  }

  void optionsAreRememberedForTheNextWindow() {
    TWindowFixture fixture(NamesDirectory());
    fixture.Window().chkSearchAsYouType->setChecked(true);
    fixture.Window().chkForgiving->setChecked(true);
    fixture.DestroyWindow();
    QVERIFY(fixture.Window().chkSearchAsYouType->isChecked());
    QVERIFY(fixture.Window().chkForgiving->isChecked());
    QVERIFY(fixture.Window().mePhone->EditMask() != QStringLiteral("\\d{1,10}"));

    fixture.Window().chkForgiving->setChecked(false);
    fixture.DestroyWindow();
    QVERIFY(fixture.Window().chkSearchAsYouType->isChecked());
    QVERIFY(!fixture.Window().chkForgiving->isChecked());
    QCOMPARE(fixture.Window().mePhone->EditMask(), QStringLiteral("\\d{1,10}"));
    fixture.Window().chkSearchAsYouType->setChecked(false);
    fixture.DestroyWindow();
    QVERIFY(!fixture.Window().chkSearchAsYouType->isChecked());
  }

  void forgivingNumberFieldTakesANumberAsWritten() {
    TWindowFixture fixture(NamesDirectory());
    TfrmMain& window = fixture.Window();
    const QString written = QStringLiteral("+7 (912) 345-67-89");
    Paste(window.mePhone, written);
    QCOMPARE(window.mePhone->text(), QStringLiteral("7912345678"));

    window.chkForgiving->setChecked(true);
    Paste(window.mePhone, written);
    QCOMPARE(window.mePhone->text(), written);
    Paste(window.mePhone, QStringLiteral("тел. 8 912 345 67 89"));
    QCOMPARE(window.mePhone->text(), QStringLiteral(" 8 912 345 67 89"));

    window.chkRegExpr->setChecked(true);
    QVERIFY(!window.chkForgiving->isEnabled());
    QCOMPARE(window.mePhone->EditMask(), QString());
    window.chkRegExpr->setChecked(false);
    QVERIFY(window.chkForgiving->isEnabled());
    Paste(window.mePhone, written);
    QCOMPARE(window.mePhone->text(), written);
  }

};

int main(int argc, char** argv) {
  TApplication application(argc, argv);
  SearchAsYouTypeQTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "SearchAsYouTypeQTest.moc"
