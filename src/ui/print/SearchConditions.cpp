#include "ui/print/SearchConditions.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>

namespace {

QString FieldText(const QWidget* field) {
  if (const auto* edit = qobject_cast<const QLineEdit*>(field)) return edit->text().trimmed();
  if (const auto* combo = qobject_cast<const QComboBox*>(field)) return combo->currentText().trimmed();
  return {};
}

QString CaptionOf(const QWidget* field) {
  for (const QLabel* label : field->window()->findChildren<QLabel*>()) {
    if (label->buddy() == field) return label->text().remove(QLatin1Char('&'));
  }
  return field->objectName();
}

}  // namespace

QString SearchConditions(const std::vector<const QWidget*>& fields, const std::vector<const QAbstractButton*>& boxes) {
  QStringList parts;
  for (const QWidget* field : fields) {
    const QString text = FieldText(field);
    if (!text.isEmpty()) parts << QStringLiteral("%1: %2").arg(CaptionOf(field), text);
  }
  for (const QAbstractButton* box : boxes) {
    if (box->isChecked()) parts << box->text().remove(QLatin1Char('&'));
  }
  return parts.join(QStringLiteral("; "));
}
