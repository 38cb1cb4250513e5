#pragma once
// A line edit whose text is held to an edit mask (mePhone, meHouse, meFlat): typing,
// pasting and dropping admit only what the mask can still take, and leaving the field
// with a changed text that does not match the whole mask sends the focus back.

#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <optional>

#include "ui/inputs/MaskPattern.h"

class TMaskEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit TMaskEdit(QWidget* parent = nullptr);
  // "" or only spaces: no pattern; the text is kept. Throws std::invalid_argument for a
  // mask outside the mask language.
  void SetEditMask(const QString& pattern);
  QString EditMask() const;

  // The user changed the text since it last passed the check on leaving.
  bool IsChanged() const { return changed_; }
  // Pastes the clipboard's text through the mask (Ctrl+V, Shift+Insert, the context menu).
  void PasteFiltered(QClipboard::Mode mode = QClipboard::Clipboard);
  // The standard context menu, its paste going through the mask; the caller owns it.
  QMenu* CreateContextMenu();

 signals:
  // The text failed the full-match test when the field was left (or Enter reached it);
  // the focus is already back in the field. The window shows it through its default
  // error report. message is "The edit value is invalid".
  void invalidValue(const QString& message);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void TypeText(const QString& typed);
  void TypeOne(QChar typed);
  void InsertFiltered(const QString& inserted, int position, int removedLength);
  bool PassesFullMatch() const;
  // Runs the check on leaving; false when the text failed and the report went out.
  bool CheckChangedText();
  void ReturnFocusAndReport();

  QString mask_;
  std::optional<TMaskPattern> pattern_;
  bool changed_ = false;
};
