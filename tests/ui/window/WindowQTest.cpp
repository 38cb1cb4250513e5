// The window as laid out and wired: names, geometry and anchoring, tab order,
// accessible names, the drop-downs and the rule that enables the search button.

#include <QAbstractItemView>
#include <QAccessible>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTest>

#include "data/PhoneFields.h"
#include "tests/ui/support/MessageBoxCatcher.h"
#include "tests/ui/window/support/WindowFixture.h"
#include "tests/ui/window/support/WindowTestMain.h"
#include "ui/grid/ResultGrid.h"
#include "ui/inputs/LookupComboBox.h"
#include "ui/inputs/MaskEdit.h"
#include "ui/inputs/StatusText.h"

namespace {

TDirectoryWriter NamesDirectory() {
  TDirectoryWriter directory;
  directory.City("Озёрск").City("заречный").City("Заречный").City("").City("Абакан");
  directory.Street("Лесная").Street("ЛЕСНАЯ");
  directory.Owner("Иванов").Phone({745, 1, 1, 12, 45, ""});
  return directory;
}

QWidget* Child(TfrmMain& window, const char* name) { return window.findChild<QWidget*>(name); }

QString AccessibleName(QWidget* widget) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
  return accessible ? accessible->text(QAccessible::Name) : QString();
}

QStringList ComboTexts(QComboBox* combo) {
  QStringList texts;
  for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
  return texts;
}

}  // namespace

class WindowQTest : public QObject {
  Q_OBJECT
 private slots:
  void everyControlCarriesItsName() {
    TWindowFixture fixture(NamesDirectory());
    TfrmMain& window = fixture.Window();
    QCOMPARE(window.objectName(), QStringLiteral("frmMain"));
    for (const char* name : {"mePhone", "teOwner", "cbCity", "cbStreet", "meHouse", "teCorpus", "meFlat", "btnGo",
                             "chkRegExpr", "chkSearchAsYouType", "chkForgiving", "gPhones", "StatusBar", "ProgressBar"})
      QVERIFY2(Child(window, name), name);
    QCOMPARE(window.btnGo->text(), QStringLiteral("&Поиск"));
    QCOMPARE(window.chkRegExpr->text(), QStringLiteral("Поддержка &регулярных выражений"));
    QVERIFY(!window.chkRegExpr->isChecked());
    QCOMPARE(window.chkSearchAsYouType->text(), QStringLiteral("Искать при &вводе"));
    QCOMPARE(window.chkForgiving->text(), QStringLiteral("Ги&бкий поиск"));
    QVERIFY2(!window.chkSearchAsYouType->isChecked() && !window.chkForgiving->isChecked(), "nothing remembered yet");
    QCOMPARE(window.mePhone->EditMask(), QStringLiteral("\\d{1,10}"));
    QCOMPARE(window.meHouse->EditMask(), QStringLiteral("\\d{1,5}"));
    QCOMPARE(window.meFlat->EditMask(), QStringLiteral("\\d{1,5}"));
    QVERIFY(window.mePhone->alignment() & Qt::AlignRight);
    QCOMPARE(window.ProgressBar->value(), 0);
    QVERIFY(!window.ProgressBar->isTextVisible());
  }

  void designGeometryAtTheInitialSize() {
    TWindowFixture fixture(NamesDirectory());
    TfrmMain& window = fixture.Window();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.size(), QSize(752, 457));
    QCOMPARE(window.minimumSize(), QSize(752, 183));
    QCOMPARE(window.mePhone->geometry(), QRect(4, 20, 81, 21));
    QCOMPARE(window.teOwner->geometry(), QRect(85, 20, 209, 21));
    QCOMPARE(window.cbCity->geometry(), QRect(294, 20, 114, 21));
    QCOMPARE(window.cbStreet->geometry(), QRect(408, 20, 126, 21));
    QCOMPARE(window.meHouse->geometry(), QRect(534, 20, 45, 21));
    QCOMPARE(window.teCorpus->geometry(), QRect(579, 20, 47, 21));
    QCOMPARE(window.meFlat->geometry(), QRect(626, 20, 60, 21));
    QCOMPARE(window.btnGo->geometry(), QRect(692, 8, 56, 33));
    QCOMPARE(window.chkRegExpr->geometry(), QRect(4, 41, 237, 17));
    QCOMPARE(window.chkSearchAsYouType->geometry(), QRect(249, 41, 130, 17));
    QCOMPARE(window.chkForgiving->geometry(), QRect(387, 41, 110, 17));
    QCOMPARE(window.gPhones->geometry(), QRect(4, 64, 744, 369));
    QCOMPARE(window.StatusBar->height(), 20);
    QCOMPARE(window.StatusBar->geometry().bottom(), 456);
    QCOMPARE(window.ProgressBar->width(), 100);
    QCOMPARE(window.font().pixelSize(), 11);
    const QPoint offCentre = window.frameGeometry().center() - window.screen()->availableGeometry().center();
    QVERIFY2(offCentre.manhattanLength() <= 40, qPrintable(QString("%1,%2").arg(offCentre.x()).arg(offCentre.y())));
    QVERIFY(window.font().family() == "Tahoma" || window.font().family() == "DejaVu Sans");
  }

  void resizingStretchesOwnerAndGridAndMovesTheRightGroup() {
    TWindowFixture fixture(NamesDirectory());
    TfrmMain& window = fixture.Window();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const int statusWidth = window.StatusText->width();
    window.resize(852, 507);
    QTRY_COMPARE(window.gPhones->geometry(), QRect(4, 64, 844, 419));
    QCOMPARE(window.StatusText->width(), statusWidth + 100);
    QCOMPARE(window.mePhone->geometry(), QRect(4, 20, 81, 21));
    QCOMPARE(window.teOwner->geometry(), QRect(85, 20, 309, 21));
    QCOMPARE(window.cbCity->geometry(), QRect(394, 20, 114, 21));
    QCOMPARE(window.meFlat->geometry(), QRect(726, 20, 60, 21));
    QCOMPARE(window.btnGo->geometry(), QRect(792, 8, 56, 33));
    QCOMPARE(window.chkRegExpr->geometry(), QRect(4, 41, 237, 17));
    QCOMPARE(window.chkForgiving->geometry(), QRect(387, 41, 110, 17));
    for (QLabel* label : window.findChildren<QLabel*>())
      if (label->buddy() == window.cbCity) QCOMPARE(label->x(), 394);
  }

  void tabOrderFollowsTheSearchRow() {
    TWindowFixture fixture(NamesDirectory());
    TfrmMain& window = fixture.Window();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.btnGo->setEnabled(true);
    const QList<QWidget*> expected = {
        window.mePhone,      window.teOwner,        window.cbCity, window.cbStreet,   window.meHouse,
        window.teCorpus,     window.meFlat,         window.btnGo,  window.chkRegExpr, window.chkSearchAsYouType,
        window.chkForgiving, window.gPhones->View()};
    window.mePhone->setFocus();
    for (qsizetype i = 1; i < expected.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), expected[i]);
    }
  }

  void fieldsAreNamedByTheirLabels() {
    TWindowFixture fixture(NamesDirectory());
    TfrmMain& window = fixture.Window();
    const QList<QPair<QWidget*, QString>> expected = {{window.mePhone, "№ телефона"},
                                                      {window.teOwner, "Часть ФИО или названия организации"},
                                                      {window.cbCity, "Город"},
                                                      {window.cbStreet, "Улица"},
                                                      {window.meHouse, "Дом"},
                                                      {window.teCorpus, "Корпус"},
                                                      {window.meFlat, "Квартира"},
                                                      {window.btnGo, "Поиск"},
                                                      {window.chkRegExpr, "Поддержка регулярных выражений"},
                                                      {window.chkSearchAsYouType, "Искать при вводе"},
                                                      {window.chkForgiving, "Гибкий поиск"}};
    for (const auto& [widget, name] : expected) QCOMPARE(AccessibleName(widget), name);
    QVERIFY(!AccessibleName(window.gPhones->View()).isEmpty());
    QCOMPARE(AccessibleName(window.StatusText), QStringLiteral("Загрузка базы данных..."));
  }

  void selfPaintedPanesTellTheirRoleAndText() {
    TWindowFixture fixture(NamesDirectory());
    TfrmMain& window = fixture.Window();
    QAccessibleInterface* status = QAccessible::queryAccessibleInterface(window.StatusText);
    QVERIFY(status);
    QCOMPARE(status->role(), QAccessible::StatusBar);
    QCOMPARE(status->text(QAccessible::Name), QStringLiteral("Загрузка базы данных..."));
    QWidget* strip = window.gPhones->findChild<QWidget*>(QStringLiteral("groupArea"));
    QVERIFY(strip);
    QAccessibleInterface* grouping = QAccessible::queryAccessibleInterface(strip);
    QVERIFY(grouping);
    QCOMPARE(grouping->role(), QAccessible::Grouping);
    QVERIFY(grouping->text(QAccessible::Description).startsWith(QStringLiteral("Перетащите сюда заголовок")));
  }

  void altAndTheUnderlinedLetterReachEachControl() {
    TWindowFixture fixture(NamesDirectory());
    TfrmMain& window = fixture.Window();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const QList<QPair<QChar, QWidget*>> fields = {
        {u'Т', window.mePhone}, {u'Ф', window.teOwner},  {u'Г', window.cbCity}, {u'У', window.cbStreet},
        {u'Д', window.meHouse}, {u'К', window.teCorpus}, {u'А', window.meFlat}};
    // As the Russian layout gives them: the key is the letter.
    auto altClick = [&](QChar letter) {
      QTest::sendKeyEvent(QTest::Click, &window, Qt::Key(letter.unicode()), QString(letter), Qt::AltModifier);
    };
    for (const auto& [letter, field] : fields) {
      altClick(letter);
      QCOMPARE(QApplication::focusWidget(), field);
    }
    altClick(u'Б');
    QTRY_VERIFY(window.chkForgiving->isChecked());
    altClick(u'Р');
    QTRY_VERIFY(window.chkRegExpr->isChecked());
  }

  void readersHearTheFieldNotTheEntryAndTheWholeRow() {
    TWindowFixture fixture(NamesDirectory());
    TfrmMain& window = fixture.LoadedWindow();
    window.cbCity->SelectPosition(window.cbCity->findText(QStringLiteral("Абакан")));
    QAccessibleInterface* city = QAccessible::queryAccessibleInterface(window.cbCity);
    QCOMPARE(city->role(), QAccessible::ComboBox);
    QCOMPARE(city->text(QAccessible::Name), QStringLiteral("Город"));
    QCOMPARE(city->text(QAccessible::Value), QStringLiteral("Абакан"));
    window.cbCity->SelectPosition(0);
    SearchOwner(window, QStringLiteral("иван"));
    QAccessibleTableInterface* table = QAccessible::queryAccessibleInterface(window.gPhones->View())->tableInterface();
    QVERIFY(table);
    QCOMPARE(table->cellAt(0, colFlat)->text(QAccessible::Name),
             QStringLiteral("Телефон 745, Абонент Иванов, Город Озёрск, Улица Лесная, Дом 12, Квартира 45"));
  }

  void f1ShowsTheHelpOverTheWindow() {
    TMessageBoxCatcher boxes;
    TWindowFixture fixture(NamesDirectory());
    TfrmMain& window = fixture.Window();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_F1);
    QCOMPARE(boxes.Seen().size(), size_t{1});
    QCOMPARE(boxes.Seen()[0].Title, QStringLiteral("Справка"));
    for (const char* topic : {"№ телефона", "Поддержка регулярных выражений", "Гибкий поиск", "Ctrl+S", "F1"})
      QVERIFY2(boxes.Seen()[0].Text.contains(QString::fromUtf8(topic)), topic);
  }

  void gridHasTheSevenColumns() {
    TWindowFixture fixture(NamesDirectory());
    QAbstractItemModel* model = fixture.Window().gPhones->View()->model();
    QStringList headers;
    for (int c = 0; c < model->columnCount(); ++c) headers << model->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(headers, QStringList({"Телефон", "Абонент", "Город", "Улица", "Дом", "Корпус", "Квартира"}));
    QCOMPARE(model->rowCount(), 0);
  }

  void dropDownsListEachNameOnceWithTheEmptyNameSelectedFirst() {
    TWindowFixture fixture(NamesDirectory());
    TfrmMain& window = fixture.Window();
    QCOMPARE(ComboTexts(window.cbCity), QStringList({"", "Абакан", "заречный", "Озёрск"}));
    QCOMPARE(window.cbCity->currentIndex(), 0);
    QCOMPARE(window.cbCity->SelectedValue(), 0);
    QCOMPARE(ComboTexts(window.cbStreet), QStringList({"", "Лесная"}));
    QCOMPARE(window.cbStreet->currentIndex(), 0);
  }

  // The drop-downs draw their text, closed and open, in the face and size of every other field.
  void dropDownsUseTheWindowFontClosedAndOpen() {
    TWindowFixture fixture(NamesDirectory());
    TfrmMain& window = fixture.Window();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QFontInfo windowFont(window.teOwner->font());
    QCOMPARE(windowFont.pixelSize(), 11);
    for (TLookupComboBox* combo : {window.cbCity, window.cbStreet}) {
      QCOMPARE(QFontInfo(combo->font()).family(), windowFont.family());
      QCOMPARE(QFontInfo(combo->font()).pixelSize(), windowFont.pixelSize());
      combo->showPopup();
      QTRY_VERIFY(combo->IsListOpen());
      QAbstractItemView* list = combo->view();
      const QFont entryFont = list->model()->index(1, 0).data(Qt::FontRole).value<QFont>();
      QCOMPARE(QFontInfo(list->font()).family(), windowFont.family());
      QCOMPARE(QFontInfo(list->font()).pixelSize(), windowFont.pixelSize());
      QVERIFY2(entryFont == QFont() || QFontInfo(entryFont).pixelSize() == windowFont.pixelSize(),
               qPrintable(entryFont.toString()));
      combo->hidePopup();
      QTRY_VERIFY(!combo->IsListOpen());
    }
  }

  void buttonFollowsTheFieldsTrimmedTexts() {
    TWindowFixture fixture(NamesDirectory());
    TfrmMain& window = fixture.Window();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(!window.btnGo->isEnabled());

    QTest::keyClicks(window.mePhone, "7");
    QVERIFY(window.btnGo->isEnabled());
    QTest::keyClick(window.mePhone, Qt::Key_Backspace);
    QVERIFY(!window.btnGo->isEnabled());

    window.teOwner->setText("  \t ");
    QVERIFY(!window.btnGo->isEnabled());
    window.teOwner->setText(QStringLiteral(" а "));
    QVERIFY(window.btnGo->isEnabled());
    window.teOwner->clear();

    window.cbCity->setCurrentIndex(1);
    QVERIFY(window.btnGo->isEnabled());
    window.cbCity->setCurrentIndex(0);
    QVERIFY(!window.btnGo->isEnabled());

    for (QLineEdit* field :
         {static_cast<QLineEdit*>(window.meHouse), window.teCorpus, static_cast<QLineEdit*>(window.meFlat)}) {
      field->setText("1");
      QVERIFY(window.btnGo->isEnabled());
      field->clear();
      QVERIFY(!window.btnGo->isEnabled());
    }
    window.chkRegExpr->setChecked(true);
    QVERIFY(!window.btnGo->isEnabled());
  }

  void phoneFieldTakesDigitsOnlyUpToTen() {
    TWindowFixture fixture(NamesDirectory());
    TfrmMain& window = fixture.Window();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClicks(window.mePhone, "12a 345678901");
    QCOMPARE(window.mePhone->text(), QStringLiteral("1234567890"));
    QTest::keyClicks(window.meHouse, "123456");
    QCOMPARE(window.meHouse->text(), QStringLiteral("12345"));
  }
};

ORLINAR_WINDOW_TEST_MAIN(WindowQTest)

#include "WindowQTest.moc"
