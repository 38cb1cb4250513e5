// Expressions that make the engine work hard on every record, typed into the
// window in regular-expression mode: the search stops once the engine work of
// the whole search reaches its bound, and ends as an engine error does, with
// the rows found until then, their count and the default error report.

#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QTest>
#include <cstdint>
#include <string>

#include "regexpr/MatchLimits.h"
#include "regexpr/RegExpr.h"
#include "search/RegexCriteria.h"
#include "tests/ui/window/support/LongSearch.h"
#include "tests/ui/window/support/WindowFixture.h"
#include "tests/ui/window/support/WindowTestMain.h"
#include "ui/PhoneCellSource.h"
#include "ui/grid/ResultGrid.h"
#include "ui/inputs/MaskEdit.h"
#include "ui/report/ErrorReport.h"
#include "ui/text/Text1251.h"

namespace {

// No literal that every match holds, so that no name is passed over without
// the engine's work.
const QString kOwnerExpression = QStringLiteral("(а|б|в|[а-я])*ъ{2}");

QString BoundReport() { return FromCp1251(ErrorReportText(TRegExpr::ErrorMessage(regexpr::ErrorStepBudgetSpent))); }

std::string Repeated(const std::string& unit, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += unit;
  return text;
}

// Types the expression into an empty field key by key and presses Enter there.
// Keys are sent by their text, since the test's key table knows no Cyrillic letter.
void TypeAndSearch(QLineEdit* field, const QString& expression) {
  field->setFocus();
  for (QChar c : expression) QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
  QCOMPARE(field->text(), expression);
  QTest::keyClick(field, Qt::Key_Return);
  QVERIFY(WaitForSearch(*qobject_cast<TfrmMain*>(field->window()), 60000));
}

void ExpectEndedAsAnEngineError(TfrmMain& window, const TMessageBoxCatcher& boxes, int rows) {
  QCOMPARE(boxes.Seen().size(), size_t{1});
  QCOMPARE(boxes.Seen()[0].Text, BoundReport());
  QCOMPARE(boxes.Seen()[0].Icon, QMessageBox::Critical);
  QCOMPARE(window.gPhones->RowCount(), rows);
  QCOMPARE(StatusOf(window), QStringLiteral("Поиск прерван. Найдено %1 записей.").arg(rows));
  QCOMPARE(window.ProgressBar->value(), 0);
  QVERIFY(QApplication::overrideCursor() == nullptr);
}

// Shows the window over directory, types expression into the field that field
// picks in regular-expression mode and expects the search to stop at the bound
// with the given phones found.
void ExpectSearchStopsAtTheBound(const TDirectoryWriter& directory, QLineEdit* (*field)(TfrmMain&),
                                 const QString& expression, const QStringList& phones) {
  TWindowFixture fixture(directory);
  TfrmMain& window = fixture.LoadedWindow();
  QVERIFY(QTest::qWaitForWindowActive(&window));
  window.chkRegExpr->setChecked(true);
  TMessageBoxCatcher boxes;
  TypeAndSearch(field(window), expression);
  ExpectEndedAsAnEngineError(window, boxes, static_cast<int>(phones.size()));
  QCOMPARE(ColumnTexts(window, colPhone), phones);
}

}  // namespace

class SearchWorkBoundQTest : public QObject {
  Q_OBJECT
 private slots:
  void phoneExpressionStopsAtTheBound() {
    // Nineteen digits, the longest number there is, under one subscriber.
    ExpectSearchStopsAtTheBound(HostilePhonesDirectory(), [](TfrmMain& window) -> QLineEdit* { return window.mePhone; },
                                kHostilePhoneExpression, {});
  }

  void ownerExpressionStopsAtTheBoundKeepingTheRowsFoundBefore() {
    // Consecutive lines of one subscriber share one test of the name, so every
    // line here has a subscriber of its own, with the longest name there is.
    const std::string longA = Repeated("а", 127);
    const std::string longB = Repeated("б", 127);
    const int64_t records =
        RecordsPastTheBound(StepsPerRecord(kOwnerExpression, ToCp1251(QString::fromStdString(longA))));
    TDirectoryWriter directory;
    directory.City("Заречный");
    directory.Owner("Подъъездов").Phone({101, 1, 0, 1, 1, ""});
    directory.Owner("Иванова").Phone({102, 1, 0, 1, 1, ""});
    directory.Owner("Съъедобнов").Phone({103, 1, 0, 1, 1, ""});
    for (int64_t i = 0; i < records; ++i) directory.Owner(i % 2 == 0 ? longA : longB).Phone({1000 + i, 1, 0, 1, 1, ""});
    directory.Owner("Объъявленский").Phone({104, 1, 0, 1, 1, ""});
    ExpectSearchStopsAtTheBound(directory, [](TfrmMain& window) -> QLineEdit* { return window.teOwner; },
                                kOwnerExpression, {"101", "103"});
  }
};

ORLINAR_WINDOW_TEST_MAIN(SearchWorkBoundQTest)

#include "SearchWorkBoundQTest.moc"
