#include "ui/AccessibleRoles.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace {

QAccessibleInterface* RoleFactory(const QString& className, QObject* object) {
  if (!object || !object->isWidgetType()) return nullptr;
  auto* widget = static_cast<QWidget*>(object);
  if (className == QLatin1String("TGroupArea")) return new QAccessibleWidget(widget, QAccessible::Grouping);
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
