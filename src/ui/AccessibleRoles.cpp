#include "ui/AccessibleRoles.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QWidget>

namespace {

// Qt names a drop-down on Linux by its chosen entry, so a reader would say «Самара»
// where the field is «Город»: here the name is the label's, the entry the value.
class TAccessibleDropDown : public QAccessibleWidget {
 public:
  explicit TAccessibleDropDown(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return Combo()->currentText();
    return QAccessibleWidget::text(t);
  }
  QStringList actionNames() const override { return {showMenuAction()}; }
  void doAction(const QString& actionName) override {
    if (actionName == showMenuAction()) Combo()->showPopup();
  }

 private:
  QComboBox* Combo() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* RoleFactory(const QString& className, QObject* object) {
  if (!object || !object->isWidgetType()) return nullptr;
  auto* widget = static_cast<QWidget*>(object);
  if (className == QLatin1String("TGroupArea")) return new QAccessibleWidget(widget, QAccessible::Grouping);
  if (className == QLatin1String("TLookupComboBox")) return new TAccessibleDropDown(static_cast<QComboBox*>(widget));
  if (className == QLatin1String("TStatusText")) return new QAccessibleWidget(widget, QAccessible::StatusBar);
  return nullptr;
}

}  // namespace

void InstallAccessibleRoles() {
  static const bool installed = [] {
    QAccessible::installFactory(&RoleFactory);
    return true;
  }();
  (void)installed;
}
