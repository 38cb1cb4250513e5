// Regular-expression mode on the real window: live validation of the expression
// fields, the phone field's mask following the check box, searches by expression
// and engine errors ending a search with the default error report.

#include <QAccessible>
#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "regexpr/RegExpr.h"
#include "tests/ui/window/support/WindowFixture.h"
#include "tests/ui/window/support/WindowTestMain.h"
#include "ui/PhoneCellSource.h"
#include "ui/grid/ResultGrid.h"
#include "ui/inputs/MaskEdit.h"
#include "ui/report/ErrorReport.h"
#include "ui/text/Text1251.h"

namespace {

const QColor kMagenta(255, 0, 255);

QColor BaseOf(const QLineEdit* field) { return field->palette().color(QPalette::Base); }
bool IsMagenta(const QLineEdit* field) { return BaseOf(field) == kMagenta; }
bool HasWindowColour(const QLineEdit* field) {
  return BaseOf(field) == QApplication::palette(field).color(QPalette::Base) && BaseOf(field) != kMagenta;
}

TDirectoryWriter NamesDirectory() {
  TDirectoryWriter directory;
  directory.City("Заречный");
  directory.Owner("иванов").Phone({8123, 1, 0, 1, 1, "1а"});
  directory.Owner("Иванова Анна").Phone({4545, 1, 0, 2, 2, "К2"});
  directory.Owner("Петров").Phone({845, 1, 0, 3, 3, ""}).Phone({1845, 1, 0, 3, 4, ""});
  return directory;
}

// The engine's own message for an expression that does not compile.
QString EngineMessage(const std::string& expression) {
  try {
    RegexMatches(expression, "");
  } catch (const ERegExpr& e) {
    return FromCp1251(e.what());
  }
  return {};
}

// The message the report shows for an expression's engine error.
QString ReportOf(const std::string& expression) {
  return FromCp1251(ErrorReportText(ToCp1251(EngineMessage(expression))));
}

// What a screen reader is told of a field the engine refuses.
QString InvalidDescription(const std::string& expression) {
  return QStringLiteral("Ошибка в выражении: ") + EngineMessage(expression);
}

QString DescriptionOf(QWidget* field) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(field);
  return accessible ? accessible->text(QAccessible::Description) : QString();
}

}  // namespace

class RegexModeQTest : public QObject {
  Q_OBJECT
 private slots:
  void phoneExpressionsMatchAnywhereInTheNumber() {
    TWindowFixture fixture(NamesDirectory());
    TfrmMain& window = fixture.LoadedWindow();
    window.chkRegExpr->setChecked(true);
    QTest::keyClicks(window.mePhone, QStringLiteral("^8"));
    QCOMPARE(window.mePhone->text(), QStringLiteral("^8"));
    QVERIFY(window.btnGo->isEnabled());
    ClickSearch(window);
    QCOMPARE(ColumnTexts(window, colPhone), QStringList({"8123", "845"}));
    window.mePhone->setText(QStringLiteral("45$"));
    ClickSearch(window);
    QCOMPARE(ColumnTexts(window, colPhone), QStringList({"1845", "4545", "845"}));
    QCOMPARE(StatusOf(window), QStringLiteral("Поиск завершён. Найдено 3 записей."));
  }

  void ownerExpressionFoldsCaseByDefault() {
    TWindowFixture fixture(NamesDirectory());
    TfrmMain& window = fixture.LoadedWindow();
    window.chkRegExpr->setChecked(true);
    SearchOwner(window, QStringLiteral("Иван"));
    QCOMPARE(ColumnTexts(window, colOwner), QStringList({"Иванова Анна", "иванов"}));
    SearchOwner(window, QStringLiteral("(?-i)Иван"));
    QCOMPARE(ColumnTexts(window, colOwner), QStringList({"Иванова Анна"}));
    SearchOwner(window, QStringLiteral("  ^иванов$ "));
    QCOMPARE(ColumnTexts(window, colOwner), QStringList({"иванов"}));
    window.teOwner->clear();
    window.teCorpus->setText(QStringLiteral("^к\\d$"));
    ClickSearch(window);
    QCOMPARE(ColumnTexts(window, colCorpus), QStringList({"К2"}));
  }

  void firstBadFieldTurnsMagentaAndStopsTheValidation() {
    TWindowFixture fixture(NamesDirectory());
    TfrmMain& window = fixture.Window();
    window.chkRegExpr->setChecked(true);
    for (QLineEdit* field : {window.teOwner, static_cast<QLineEdit*>(window.mePhone), window.teCorpus})
      QVERIFY(HasWindowColour(field));

    window.teCorpus->setText(QStringLiteral("[к"));
    QVERIFY(IsMagenta(window.teCorpus));
    QVERIFY(!window.btnGo->isEnabled());

    QTest::keyClicks(window.teOwner, QStringLiteral("(ab"));
    QVERIFY(IsMagenta(window.teOwner));
    QVERIFY(!window.btnGo->isEnabled());

    window.teCorpus->setText(QStringLiteral("к"));
    window.mePhone->setText(QStringLiteral("["));
    QVERIFY2(IsMagenta(window.teCorpus), "not validated again while the owner is bad");
    QVERIFY2(HasWindowColour(window.mePhone), "the bad phone expression is not reached");
    QVERIFY(!window.btnGo->isEnabled());

    window.teOwner->setText(QStringLiteral("(ab)"));
    QVERIFY(HasWindowColour(window.teOwner));
    QVERIFY(IsMagenta(window.mePhone));
    QVERIFY2(IsMagenta(window.teCorpus), "still not reached: the phone stops the validation now");
    window.mePhone->clear();
    QVERIFY(HasWindowColour(window.mePhone));
    QVERIFY(HasWindowColour(window.teCorpus));
    QVERIFY(window.btnGo->isEnabled());
  }

  // Screen readers learn why a magenta field is bad from its description.
  void badFieldDescribesTheEngineMessageUntilItIsValid() {
    TWindowFixture fixture(NamesDirectory());
    TfrmMain& window = fixture.Window();
    window.chkRegExpr->setChecked(true);
    for (QLineEdit* field : {window.teOwner, static_cast<QLineEdit*>(window.mePhone), window.teCorpus})
      QCOMPARE(DescriptionOf(field), QString());

    window.teCorpus->setText(QStringLiteral("[к"));
    QCOMPARE(DescriptionOf(window.teCorpus), InvalidDescription("[\xEA"));
    QVERIFY(DescriptionOf(window.teCorpus).startsWith(QStringLiteral("Ошибка в выражении: TRegExpr(comp): ")));
    window.teOwner->setText(QStringLiteral("(ab"));
    QCOMPARE(DescriptionOf(window.teOwner), InvalidDescription("(ab"));
    window.teOwner->setText(QStringLiteral("a{2,1}"));
    QCOMPARE(DescriptionOf(window.teOwner), InvalidDescription("a{2,1}"));
    QVERIFY(EngineMessage("a{2,1}") != EngineMessage("(ab"));

    window.teCorpus->setText(QStringLiteral("к"));
    QVERIFY2(!DescriptionOf(window.teCorpus).isEmpty(), "not validated again while the owner is bad");
    window.teOwner->setText(QStringLiteral("(ab)"));
    QCOMPARE(DescriptionOf(window.teOwner), QString());
    QCOMPARE(DescriptionOf(window.teCorpus), QString());

    window.mePhone->setText(QStringLiteral("+"));
    QCOMPARE(DescriptionOf(window.mePhone), InvalidDescription("+"));
    window.mePhone->setText(QStringLiteral("  "));
    QCOMPARE(DescriptionOf(window.mePhone), QString());
  }

  void leavingExpressionModeClearsTheDescriptions() {
    TWindowFixture fixture(NamesDirectory());
    TfrmMain& window = fixture.Window();
    window.chkRegExpr->setChecked(true);
    window.teOwner->setText(QStringLiteral("+"));
    QVERIFY(!DescriptionOf(window.teOwner).isEmpty());

    window.chkRegExpr->setChecked(false);
    QCOMPARE(DescriptionOf(window.teOwner), QString());
    window.chkRegExpr->setChecked(true);
    QCOMPARE(DescriptionOf(window.teOwner), InvalidDescription("+"));
  }

  void blankExpressionsAreNotCompiledAndEnableNothing() {
    TWindowFixture fixture(NamesDirectory());
    TfrmMain& window = fixture.Window();
    window.chkRegExpr->setChecked(true);
    window.teOwner->setText(QStringLiteral("   "));
    window.mePhone->setText(QStringLiteral(" "));
    QVERIFY(HasWindowColour(window.teOwner));
    QVERIFY(HasWindowColour(window.mePhone));
    QVERIFY(!window.btnGo->isEnabled());
    window.meHouse->setText(QStringLiteral("1"));
    QVERIFY(window.btnGo->isEnabled());
  }

  void leavingExpressionModeClearsTheColoursAndEnablesTheSearch() {
    TWindowFixture fixture(NamesDirectory());
    TfrmMain& window = fixture.Window();
    window.chkRegExpr->setChecked(true);
    window.teCorpus->setText(QStringLiteral("a{2,1}"));
    window.teOwner->setText(QStringLiteral("+"));
    QVERIFY(IsMagenta(window.teOwner));
    QVERIFY(IsMagenta(window.teCorpus));
    QVERIFY(!window.btnGo->isEnabled());

    window.chkRegExpr->setChecked(false);
    QVERIFY(HasWindowColour(window.teOwner));
    QVERIFY(HasWindowColour(window.teCorpus));
    QVERIFY(window.btnGo->isEnabled());

    window.chkRegExpr->setChecked(true);
    QVERIFY2(IsMagenta(window.teOwner), "checked again, the texts are validated again");
    QVERIFY(!window.btnGo->isEnabled());
  }

  void phoneMaskFollowsTheCheckBoxAndKeepsTheText() {
    TWindowFixture fixture(NamesDirectory());
    TfrmMain& window = fixture.Window();
    QTest::keyClicks(window.mePhone, QStringLiteral("12a"));
    QCOMPARE(window.mePhone->text(), QStringLiteral("12"));

    window.chkRegExpr->setChecked(true);
    QCOMPARE(window.mePhone->EditMask(), QString());
    QTest::keyClicks(window.mePhone, QStringLiteral("a"));
    QCOMPARE(window.mePhone->text(), QStringLiteral("12a"));

    window.chkRegExpr->setChecked(false);
    QCOMPARE(window.mePhone->EditMask(), QStringLiteral("\\d{1,10}"));
    QCOMPARE(window.mePhone->text(), QStringLiteral("12a"));
    QVERIFY(HasWindowColour(window.mePhone));
    QVERIFY(window.btnGo->isEnabled());
  }

  void expressionBadOnlyOnceTrimmedEndsTheSearchWithTheReport() {
    TWindowFixture fixture(NamesDirectory());
    TfrmMain& window = fixture.LoadedWindow();
    SearchOwner(window, QStringLiteral("ов"));
    QCOMPARE(window.gPhones->RowCount(), 4);

    window.chkRegExpr->setChecked(true);
    const QString untrimmed = QStringLiteral("ов\\ ");
    window.teOwner->setText(untrimmed);
    QVERIFY2(HasWindowColour(window.teOwner), "compiles as typed");
    QVERIFY(window.btnGo->isEnabled());

    TMessageBoxCatcher boxes;
    ClickSearch(window);
    QCOMPARE(boxes.Seen().size(), size_t{1});
    QCOMPARE(boxes.Seen()[0].Text, ReportOf(ToCp1251(untrimmed.trimmed())));
    QVERIFY(boxes.Seen()[0].Text.startsWith(QStringLiteral("TRegExpr(comp): ")));
    QCOMPARE(boxes.Seen()[0].Icon, QMessageBox::Critical);
    QCOMPARE(window.gPhones->RowCount(), 0);
    QCOMPARE(StatusOf(window), QStringLiteral("Поиск прерван. Найдено 0 записей."));
    QCOMPARE(window.ProgressBar->value(), 0);
    QVERIFY(QApplication::overrideCursor() == nullptr);
  }

  void runawayMatchEndsTheSearchWithAMessageKeepingEarlierRows() {
    TDirectoryWriter directory;
    directory.City("Заречный");
    directory.Owner("Забава").Phone({11, 1, 0, 1, 1, ""}).Phone({12, 1, 0, 1, 1, ""});
    directory.Owner("Петров").Phone({13, 1, 0, 1, 1, ""});
    std::string longName;
    for (int i = 0; i < 60; ++i) longName += "а";
    longName += "!б";  // holds the "б" that every match holds, so the engine has to try it
    directory.Owner(longName).Phone({14, 1, 0, 1, 1, ""});
    directory.Owner("Забава Вторая").Phone({15, 1, 0, 1, 1, ""});
    TWindowFixture fixture(directory);
    TfrmMain& window = fixture.LoadedWindow();
    window.chkRegExpr->setChecked(true);

    TMessageBoxCatcher boxes;
    // The back-reference keeps the engine from remembering failures, so the work stays exponential.
    SearchOwner(window, QStringLiteral("(а+)+\\1?б"));
    QCOMPARE(boxes.Seen().size(), size_t{1});
    QCOMPARE(boxes.Seen()[0].Text, QStringLiteral("TRegExpr(exec): Too Many Backtracking Steps."));
    QCOMPARE(ColumnTexts(window, colPhone), QStringList({"11", "12"}));
    QCOMPARE(StatusOf(window), QStringLiteral("Поиск прерван. Найдено 2 записей."));
    QCOMPARE(window.ProgressBar->value(), 0);
    QVERIFY(QApplication::overrideCursor() == nullptr);
  }
};

ORLINAR_WINDOW_TEST_MAIN(RegexModeQTest)

#include "RegexModeQTest.moc"
