#include "ui/inputs/LookupComboBox.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QProxyStyle>
#include <QSignalBlocker>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <algorithm>

namespace {

bool IsSearchText(const QKeyEvent* event) {
  const QString text = event->text();
  if (text.isEmpty() || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) return false;
  return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); });
}

constexpr int kTextMargin = 2;

// Styles with a menu-like popup ignore the visible-entry count; the plain list popup
// keeps it. A style sheet would do the same but cuts the field off from the window's font.
class TListPopupStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_ComboBox_Popup) return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

}  // namespace

TLookupComboBox::TLookupComboBox(QWidget* parent) : QComboBox(parent) {
  setEditable(false);
  setMaxVisibleItems(kVisibleEntries);
  auto* style = new TListPopupStyle;
  style->setParent(this);
  setStyle(style);
  view()->installEventFilter(this);
  connect(this, &QComboBox::currentIndexChanged, this, [this] {
    if (!selectingBySearch_) ResetSearch();
  });
}

void TLookupComboBox::BeginUpdate() { ++updateDepth_; }

void TLookupComboBox::EndUpdate() {
  if (updateDepth_ == 0) return;
  if (--updateDepth_ == 0 && itemsStale_) RebuildItems();
}

void TLookupComboBox::ClearEntries() {
  entries_.Clear();
  if (updateDepth_ > 0) {
    itemsStale_ = true;
    return;
  }
  clear();
}

void TLookupComboBox::AddEntry(const QString& text, int32_t value) {
  if (updateDepth_ > 0) {
    entries_.Append(text, value);
    itemsStale_ = true;
    return;
  }
  const int position = entries_.Add(text, value);
  if (position < 0) return;
  const bool noneSelected = currentIndex() < 0;
  insertItem(position, text);
  if (noneSelected) setCurrentIndex(-1);
}

// One model reset for the whole refill; the selected entry stays selected if it is still listed.
void TLookupComboBox::RebuildItems() {
  itemsStale_ = false;
  const int oldIndex = currentIndex();
  const QString selectedText = currentText();
  {
    // Emptying and refilling pass through selections nobody chose; only the outcome is reported.
    const QSignalBlocker quiet(this);
    clear();
    addItems(entries_.Texts());
    setCurrentIndex(oldIndex >= 0 ? entries_.Find(selectedText) : -1);
  }
  if (currentIndex() != oldIndex) emit currentIndexChanged(currentIndex());
}

void TLookupComboBox::SelectPosition(int position) {
  if (itemsStale_) RebuildItems();
  setCurrentIndex(position >= 0 && position < count() ? position : -1);
}

int32_t TLookupComboBox::SelectedValue() const {
  const std::vector<int32_t> values = SelectedValues();
  return values.empty() ? -1 : values.front();
}

std::vector<int32_t> TLookupComboBox::SelectedValues() const {
  if (currentIndex() < 0) return {};
  const int position = entries_.Find(currentText());
  if (position < 0) return {};
  return entries_.Values(position);
}

QString TLookupComboBox::HighlightedText() const {
  // A search in the open list moves the list's row, not the selection the field shows.
  if (!fromSearch_ || currentIndex() < 0 || IsListOpen()) return {};
  return currentText().mid(searchLength_);
}

bool TLookupComboBox::IsListOpen() const { return view()->isVisible(); }

void TLookupComboBox::showPopup() {
  ResetSearch();
  QComboBox::showPopup();
}

void TLookupComboBox::hidePopup() {
  QComboBox::hidePopup();
  ResetSearch();
}

void TLookupComboBox::keyPressEvent(QKeyEvent* event) {
  if (HandleKey(event)) event->accept();
  else QComboBox::keyPressEvent(event);
}

// The open list gets the same keys as the closed field; Enter, Esc and the rest stay
// with QComboBox, which keeps Enter inside the list.
bool TLookupComboBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched != view()) return QComboBox::eventFilter(watched, event);
  if (event->type() == QEvent::ShortcutOverride) {
    // The window's shortcuts (Enter for the default button among them) wait until the
    // list closes; QComboBox still sees the key and closes the list on Enter.
    event->accept();
    return false;
  }
  if (event->type() == QEvent::KeyPress && HandleKey(static_cast<QKeyEvent*>(event))) return true;
  return QComboBox::eventFilter(watched, event);
}

bool TLookupComboBox::HandleKey(const QKeyEvent* event) {
  if (event->key() == Qt::Key_Backspace) {
    ShortenSearch();
    return true;
  }
  if (Navigate(event)) return true;
  if (!IsSearchText(event)) return false;
  for (QChar c : event->text()) SearchFor(c);
  return true;
}

bool TLookupComboBox::Navigate(const QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  if (modifiers & (Qt::AltModifier | Qt::MetaModifier | Qt::ShiftModifier)) return false;
  const bool ctrl = modifiers & Qt::ControlModifier;
  const int last = count() - 1;
  const int position = Position();
  switch (event->key()) {
    case Qt::Key_Up: MoveTo(std::max(position - 1, 0)); return true;
    case Qt::Key_Down: MoveTo(position + 1); return true;
    case Qt::Key_Home: MoveTo(0); return true;
    case Qt::Key_End: MoveTo(last); return true;
    case Qt::Key_PageUp: MoveTo(ctrl ? 0 : std::max(position - kPageStep, 0)); return true;
    case Qt::Key_PageDown: MoveTo(ctrl ? last : position + kPageStep); return true;
    default: return false;
  }
}

int TLookupComboBox::Position() const { return IsListOpen() ? view()->currentIndex().row() : currentIndex(); }

void TLookupComboBox::MoveTo(int position) {
  if (count() == 0) return;
  position = std::clamp(position, 0, count() - 1);
  ResetSearch();
  if (position != Position()) SetPosition(position);
}

void TLookupComboBox::SetPosition(int position) {
  if (!IsListOpen()) {
    setCurrentIndex(position);
    return;
  }
  const QModelIndex index = model()->index(position, modelColumn(), rootModelIndex());
  view()->setCurrentIndex(index);
  view()->scrollTo(index);
}

void TLookupComboBox::SearchFor(QChar typed) {
  const int position = Position();
  const QString shown = position >= 0 ? itemText(position) : QString();
  QString search = typed;
  int found = -1;
  if (fromSearch_ && searchLength_ < shown.size()) {
    search = shown.left(searchLength_) + typed;
  } else if (fromSearch_) {
    found = entries_.FindPrefix(shown + typed);
    if (found >= 0) search = shown + typed;
  }
  if (found < 0) found = entries_.FindPrefix(search);
  if (found >= 0) SelectFound(found, static_cast<int>(search.size()));
}

void TLookupComboBox::ShortenSearch() {
  if (!fromSearch_ || searchLength_ == 0) return;
  const int position = Position();
  const QString search = itemText(position).left(searchLength_ - 1);
  SelectFound(entries_.FindPrefix(search), static_cast<int>(search.size()));
}

void TLookupComboBox::SelectFound(int position, int searchLength) {
  selectingBySearch_ = true;
  SetPosition(position);
  selectingBySearch_ = false;
  fromSearch_ = true;
  searchLength_ = searchLength;
  update();
}

void TLookupComboBox::ResetSearch() {
  if (!fromSearch_) return;
  fromSearch_ = false;
  searchLength_ = 0;
  update();
}

void TLookupComboBox::paintEvent(QPaintEvent* event) {
  const QString highlighted = HighlightedText();
  if (highlighted.isEmpty()) {
    QComboBox::paintEvent(event);
    return;
  }
  QStylePainter painter(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  PaintHighlightedText(painter,
                       style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this));
}

void TLookupComboBox::PaintHighlightedText(QPainter& painter, const QRect& field) {
  const QString matched = currentText().left(searchLength_);
  const QString highlighted = HighlightedText();
  const QFontMetrics metrics = fontMetrics();
  const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
  painter.setClipRect(field);
  QRect matchedRect = field.adjusted(kTextMargin, 0, 0, 0);
  painter.setPen(palette().color(QPalette::ButtonText));
  painter.drawText(matchedRect, flags, matched);

  QRect highlightRect(matchedRect.left() + metrics.horizontalAdvance(matched), field.top() + 1,
                      metrics.horizontalAdvance(highlighted), field.height() - 2);
  painter.fillRect(highlightRect, palette().brush(QPalette::Highlight));
  painter.setPen(palette().color(QPalette::HighlightedText));
  painter.drawText(highlightRect, flags, highlighted);
}
