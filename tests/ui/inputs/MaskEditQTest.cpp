#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

#include "tests/ui/inputs/support/TypeKeys.h"
#include "ui/inputs/MaskEdit.h"

// A window with a masked field and a plain one to move the focus to.
class MaskEditQTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QWidget> window_;
  TMaskEdit* edit_ = nullptr;
  QLineEdit* other_ = nullptr;

  void FocusEdit() {
    edit_->setFocus();
    QTRY_VERIFY(edit_->hasFocus());
  }

  void Paste(const QString& text) {
    QApplication::clipboard()->setText(text);
    QTest::keyClick(edit_, Qt::Key_V, Qt::ControlModifier);
  }

 private slots:
  void init() {
    window_ = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(window_.get());
    edit_ = new TMaskEdit;
    other_ = new QLineEdit;
    layout->addWidget(edit_);
    layout->addWidget(other_);
    edit_->SetEditMask(QStringLiteral("\\d{1,10}"));
    window_->show();
    QApplication::setActiveWindow(window_.get());
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    FocusEdit();
  }

  void cleanup() { window_.reset(); }

  void typingAdmitsTenDigitsOnly() {
    QTest::keyClicks(edit_, QStringLiteral("12345678901"));
    QCOMPARE(edit_->text(), QStringLiteral("1234567890"));
    QVERIFY(edit_->IsChanged());
    edit_->clear();
    TypeKeys(edit_, QStringLiteral("1a 2-б3"));
    QCOMPARE(edit_->text(), QStringLiteral("123"));
  }

  void tabAndEscapeAreNeverInserted() {
    QTest::keyClick(edit_, Qt::Key_Escape);
    QTest::keyClicks(edit_, QStringLiteral("5"));
    QTest::keyClick(edit_, Qt::Key_Tab);
    QCOMPARE(edit_->text(), QStringLiteral("5"));
    QTRY_VERIFY(other_->hasFocus());
    edit_->SetEditMask(QString());
    FocusEdit();
    QTest::keyClick(edit_, Qt::Key_Escape);
    QCOMPARE(edit_->text(), QStringLiteral("5"));
  }

  void inputMethodTextGoesThroughTheMask() {
    QInputMethodEvent composing(QStringLiteral("1"), {});
    QApplication::sendEvent(edit_, &composing);
    QInputMethodEvent committed;
    committed.setCommitString(QStringLiteral("1a2 3"));
    QApplication::sendEvent(edit_, &committed);
    QCOMPARE(edit_->text(), QStringLiteral("123"));
  }

  void typingReReadsTheTextAfterTheCaret() {
    edit_->setText(QStringLiteral("1234567890"));
    edit_->setCursorPosition(5);
    QTest::keyClick(edit_, Qt::Key_0);
    QCOMPARE(edit_->text(), QStringLiteral("123450"));
    QCOMPARE(edit_->cursorPosition(), 6);
    edit_->setCursorPosition(2);
    QTest::keyClick(edit_, Qt::Key_7);
    QCOMPARE(edit_->text(), QStringLiteral("1273450"));
  }

  void typingReplacesTheHighlightedPart() {
    edit_->setText(QStringLiteral("1234567890"));
    edit_->setSelection(2, 6);
    QTest::keyClick(edit_, Qt::Key_5);
    QCOMPARE(edit_->text(), QStringLiteral("12590"));
    edit_->setSelection(0, 2);
    QTest::keyClick(edit_, Qt::Key_X);  // refused: the highlighted part stays
    QCOMPARE(edit_->text(), QStringLiteral("12590"));
    QCOMPARE(edit_->selectedText(), QStringLiteral("12"));
  }

  void undoRestoresTheTextBeforeTyping() {
    edit_->setText(QStringLiteral("1234567890"));
    edit_->setCursorPosition(5);
    QTest::keyClick(edit_, Qt::Key_0);
    QTest::keyClick(edit_, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(edit_, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(edit_->text(), QStringLiteral("1234567890"));
  }

  void pasteKeepsWhatTheMaskTakes() {
    edit_->SetEditMask(QStringLiteral("\\d{1,5}"));
    Paste(QStringLiteral("1-23 456"));
    QCOMPARE(edit_->text(), QStringLiteral("12345"));
    edit_->setText(QStringLiteral("19"));
    edit_->setCursorPosition(1);
    Paste(QStringLiteral("x2y"));
    QCOMPARE(edit_->text(), QStringLiteral("129"));
    QCOMPARE(edit_->cursorPosition(), 2);
    edit_->selectAll();
    Paste(QStringLiteral("77"));
    QCOMPARE(edit_->text(), QStringLiteral("77"));
  }

  void contextMenuPasteGoesThroughTheMask() {
    QApplication::clipboard()->setText(QStringLiteral("4 x 2"));
    std::unique_ptr<QMenu> menu(edit_->CreateContextMenu());
    const QList<QAction*> actions = menu->actions();
    const auto paste = std::find_if(actions.begin(), actions.end(), [](QAction* action) {
      return action->text().contains(QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText));
    });
    QVERIFY(paste != actions.end());
    (*paste)->trigger();
    QCOMPARE(edit_->text(), QStringLiteral("42"));
  }

  void dropGoesThroughTheMask() {
    edit_->setText(QStringLiteral("19"));
    QMimeData data;
    data.setText(QStringLiteral("a5b"));
    const QPoint end(edit_->width() - 4, edit_->height() / 2);
    QDropEvent drop(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    // Without a drag in progress the application does not deliver drops, so the event goes straight in.
    static_cast<QObject*>(edit_)->event(&drop);
    QCOMPARE(edit_->text(), QStringLiteral("195"));
  }

  void withoutMaskEverythingIsTaken() {
    edit_->SetEditMask(QStringLiteral("   "));
    QCOMPARE(edit_->EditMask(), QStringLiteral("   "));
    QTest::keyClicks(edit_, QStringLiteral("12345678901 ab"));
    QCOMPARE(edit_->text(), QStringLiteral("12345678901 ab"));
    Paste(QStringLiteral("-x"));
    QCOMPARE(edit_->text(), QStringLiteral("12345678901 ab-x"));
  }

  void settingTheMaskKeepsTheText() {
    edit_->SetEditMask(QString());
    QTest::keyClicks(edit_, QStringLiteral("12a"));
    edit_->SetEditMask(QStringLiteral("\\d{1,10}"));
    QCOMPARE(edit_->text(), QStringLiteral("12a"));
    QCOMPARE(edit_->EditMask(), QStringLiteral("\\d{1,10}"));
  }

  void unsupportedMaskThrows() {
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, edit_->SetEditMask(QStringLiteral("(\\d)")));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, edit_->SetEditMask(QStringLiteral("\\d漢")));
    QCOMPARE(edit_->EditMask(), QStringLiteral("\\d{1,10}"));
  }

  void leavingWithABadChangedTextReturnsTheFocus() {
    QSignalSpy invalid(edit_, &TMaskEdit::invalidValue);
    edit_->SetEditMask(QString());
    QTest::keyClicks(edit_, QStringLiteral("12a"));
    other_->setFocus();  // passes: no mask
    QTRY_VERIFY(other_->hasFocus());
    QCoreApplication::processEvents();
    QCOMPARE(invalid.count(), 0);
    edit_->SetEditMask(QStringLiteral("\\d{1,10}"));
    FocusEdit();
    other_->setFocus();  // unchanged since it passed: not checked again
    QTRY_VERIFY(other_->hasFocus());
    QCoreApplication::processEvents();
    QCOMPARE(invalid.count(), 0);

    FocusEdit();
    edit_->setCursorPosition(0);
    QTest::keyClick(edit_, Qt::Key_Delete);
    QCOMPARE(edit_->text(), QStringLiteral("2a"));
    QVERIFY(edit_->IsChanged());
    QTest::keyClick(edit_, Qt::Key_Tab);
    QTRY_COMPARE(invalid.count(), 1);
    QCOMPARE(invalid.at(0).at(0).toString(), QStringLiteral("The edit value is invalid"));
    QVERIFY(edit_->hasFocus());
    QCOMPARE(edit_->text(), QStringLiteral("2a"));
  }

  void enterChecksTheChangedText() {
    QSignalSpy invalid(edit_, &TMaskEdit::invalidValue);
    QSignalSpy returned(edit_, &QLineEdit::returnPressed);
    edit_->SetEditMask(QString());
    QTest::keyClicks(edit_, QStringLiteral("7b"));
    edit_->SetEditMask(QStringLiteral("\\d{1,10}"));
    QTest::keyClick(edit_, Qt::Key_Return);
    QCOMPARE(invalid.count(), 1);
    QCOMPARE(returned.count(), 0);
    QTest::keyClick(edit_, Qt::Key_Backspace);
    QTest::keyClick(edit_, Qt::Key_Enter);
    QCOMPARE(invalid.count(), 1);
    QCOMPARE(returned.count(), 1);
    QVERIFY(!edit_->IsChanged());
  }

  void leavingAnEmptiedFieldPasses() {
    QSignalSpy invalid(edit_, &TMaskEdit::invalidValue);
    QTest::keyClicks(edit_, QStringLiteral("42"));
    QTest::keyClick(edit_, Qt::Key_Backspace);
    QTest::keyClick(edit_, Qt::Key_Backspace);
    QCOMPARE(edit_->text(), QString());
    other_->setFocus();
    QTRY_VERIFY(other_->hasFocus());
    QCoreApplication::processEvents();
    QCOMPARE(invalid.count(), 0);
    QVERIFY(!edit_->IsChanged());
  }

  void programmaticTextIsNotAChange() {
    edit_->setText(QStringLiteral("abc"));
    QVERIFY(!edit_->IsChanged());
    QSignalSpy invalid(edit_, &TMaskEdit::invalidValue);
    other_->setFocus();
    QTRY_VERIFY(other_->hasFocus());
    QCoreApplication::processEvents();
    QCOMPARE(invalid.count(), 0);
  }
};

QTEST_MAIN(MaskEditQTest)
#include "MaskEditQTest.moc"
