#include "ui/inputs/MaskEdit.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <stdexcept>

#include "ui/inputs/MaskRules.h"
#include "ui/text/Text1251.h"

namespace {

const QString kInvalidValueMessage = QStringLiteral("The edit value is invalid");

// One byte per character, so positions stay the same; a character without a
// Windows-1251 form becomes byte 0, which no mask takes.
std::string MaskBytes(const QString& text) {
  std::string bytes = ToCp1251(text);
  for (qsizetype i = 0; i < text.size(); ++i)
    if (bytes[static_cast<size_t>(i)] == '?' && text[i] != u'?') bytes[static_cast<size_t>(i)] = '\0';
  return bytes;
}

// Older Qt leaves the standard actions unnamed; their text ends in the shortcut.
bool IsPasteAction(const QAction* action) {
  const QString shortcut = QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
  return action->objectName() == u"edit-paste" || action->text().endsWith(u'\t' + shortcut);
}

bool IsEnter(const QKeyEvent* event) { return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter; }

// Text that QLineEdit itself would insert: printable, not a Ctrl or Meta chord.
bool IsTypedText(const QKeyEvent* event) {
  const QString text = event->text();
  if (text.isEmpty() || (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))) return false;
  return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); });
}

}  // namespace

TMaskEdit::TMaskEdit(QWidget* parent) : QLineEdit(parent) {
  connect(this, &QLineEdit::textEdited, this, [this] { changed_ = true; });
}

void TMaskEdit::SetEditMask(const QString& pattern) {
  const std::string mask = ToCp1251(pattern);
  if (FromCp1251(mask) != pattern)
    throw std::invalid_argument("edit mask \"" + pattern.toStdString() + "\" has characters outside Windows-1251");
  if (IsNoMask(mask)) pattern_.reset();
  else pattern_ = TMaskPattern::Compile(mask);
  mask_ = pattern;
}

QString TMaskEdit::EditMask() const { return mask_; }

void TMaskEdit::keyPressEvent(QKeyEvent* event) {
  if (IsEnter(event)) {
    if (CheckChangedText()) QLineEdit::keyPressEvent(event);
    else event->accept();
    return;
  }
  if (!pattern_) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  if (event->matches(QKeySequence::Paste)) {
    if (!isReadOnly()) PasteFiltered();
    event->accept();
    return;
  }
  if (IsTypedText(event) && !isReadOnly()) {
    TypeText(event->text());
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void TMaskEdit::inputMethodEvent(QInputMethodEvent* event) {
  if (!pattern_ || !event->preeditString().isEmpty() || event->commitString().isEmpty() || isReadOnly()) {
    QLineEdit::inputMethodEvent(event);
    return;
  }
  TypeText(event->commitString());
  event->accept();
}

void TMaskEdit::TypeText(const QString& typed) {
  for (QChar c : typed) TypeOne(c);
}

void TMaskEdit::TypeOne(QChar typed) {
  const std::string text = MaskBytes(this->text());
  const int start = hasSelectedText() ? selectionStart() : cursorPosition();
  const int length = hasSelectedText() ? static_cast<int>(selectedText().size()) : 0;
  const auto result = TypeCharacter(*pattern_, text, static_cast<size_t>(start), static_cast<size_t>(length),
                                    MaskBytes(QString(typed))[0]);
  if (!result) return;

  // Edited in steps rather than replaced, so that undo keeps working.
  if (length > 0) del();
  const size_t insertedEnd = result->Caret;
  insert(FromCp1251(std::string_view(result->Text).substr(static_cast<size_t>(start), insertedEnd - start)));
  const int caret = static_cast<int>(insertedEnd);
  if (this->text().size() != static_cast<qsizetype>(result->Text.size())) {
    setSelection(caret, static_cast<int>(this->text().size()) - caret);
    del();
  }
}

void TMaskEdit::PasteFiltered(QClipboard::Mode mode) {
  const QString pasted = QApplication::clipboard()->text(mode);
  if (pasted.isEmpty()) return;
  if (!pattern_) {
    insert(pasted);
    return;
  }
  const int start = hasSelectedText() ? selectionStart() : cursorPosition();
  const int length = hasSelectedText() ? static_cast<int>(selectedText().size()) : 0;
  InsertFiltered(pasted, start, length);
}

// The whole new text goes through the mask from its start, as when pasting.
void TMaskEdit::InsertFiltered(const QString& inserted, int position, int removedLength) {
  const auto result = PasteText(*pattern_, MaskBytes(text()), static_cast<size_t>(position),
                                static_cast<size_t>(removedLength), MaskBytes(inserted));
  const QString filtered = FromCp1251(result.Text);
  if (filtered != text()) {
    selectAll();
    insert(filtered);
  }
  setCursorPosition(static_cast<int>(result.Caret));
}

void TMaskEdit::dropEvent(QDropEvent* event) {
  if (!pattern_ || isReadOnly() || !event->mimeData()->hasText()) {
    QLineEdit::dropEvent(event);
    return;
  }
  int position = cursorPositionAt(event->position().toPoint());
  const bool movedWithin = event->source() == this && event->dropAction() == Qt::MoveAction && hasSelectedText();
  if (movedWithin) {
    const int start = selectionStart();
    const int length = static_cast<int>(selectedText().size());
    if (position >= start && position <= start + length) {
      event->ignore();
      return;
    }
    // The moved text leaves its place; the drop lands where the caret was aimed.
    QString rest = text();
    rest.remove(start, length);
    if (position > start) position -= length;
    selectAll();
    insert(rest);
  }
  InsertFiltered(event->mimeData()->text(), position, 0);
  event->acceptProposedAction();
  setFocus(Qt::MouseFocusReason);
}

void TMaskEdit::mouseReleaseEvent(QMouseEvent* event) {
  if (pattern_ && event->button() == Qt::MiddleButton && QApplication::clipboard()->supportsSelection() &&
      !isReadOnly()) {
    setCursorPosition(cursorPositionAt(event->position().toPoint()));
    PasteFiltered(QClipboard::Selection);
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

QMenu* TMaskEdit::CreateContextMenu() {
  QMenu* menu = createStandardContextMenu();
  for (QAction* action : menu->actions()) {
    if (!IsPasteAction(action)) continue;
    disconnect(action, &QAction::triggered, nullptr, nullptr);
    connect(action, &QAction::triggered, this, [this] { PasteFiltered(); });
  }
  return menu;
}

void TMaskEdit::contextMenuEvent(QContextMenuEvent* event) {
  QPointer<QMenu> menu = CreateContextMenu();
  menu->exec(event->globalPos());
  delete menu;
}

bool TMaskEdit::PassesFullMatch() const { return !pattern_ || FullMatch(*pattern_, MaskBytes(text())); }

bool TMaskEdit::CheckChangedText() {
  if (!changed_) return true;
  if (PassesFullMatch()) {
    changed_ = false;
    return true;
  }
  emit invalidValue(kInvalidValueMessage);
  return false;
}

void TMaskEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // A popup or another window taking the focus (the error report's own message box
  // among them) is not leaving the field.
  if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason) return;
  if (!changed_) return;
  if (PassesFullMatch()) {
    changed_ = false;
    return;
  }
  QMetaObject::invokeMethod(this, &TMaskEdit::ReturnFocusAndReport, Qt::QueuedConnection);
}

void TMaskEdit::ReturnFocusAndReport() {
  if (!isVisible() || !changed_ || PassesFullMatch()) return;
  setFocus(Qt::OtherFocusReason);
  emit invalidValue(kInvalidValueMessage);
}
