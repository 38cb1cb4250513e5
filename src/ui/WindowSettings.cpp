#include "ui/WindowSettings.h"

#include <QCoreApplication>
#include <QSettings>

namespace {

const QString kSearchAsYouTypeKey = QStringLiteral("search/asYouType");
const QString kForgivingKey = QStringLiteral("search/forgiving");

// The application object carries no names of its own (a display name would reach
// every caption), so the store is named here unless a caller has set them.
QSettings OpenSettings() {
  const QString organisation = QCoreApplication::organizationName();
  const QString application = QCoreApplication::applicationName();
  if (!organisation.isEmpty()) return QSettings(organisation, application);
  return QSettings(QStringLiteral("Orlinar"), QStringLiteral("orlinar"));
}

}  // namespace

TWindowSettings ReadWindowSettings() {
  QSettings settings = OpenSettings();
  TWindowSettings read;
  read.SearchAsYouType = settings.value(kSearchAsYouTypeKey, false).toBool();
  read.Forgiving = settings.value(kForgivingKey, false).toBool();
  return read;
}

void WriteWindowSettings(const TWindowSettings& written) {
  QSettings settings = OpenSettings();
  settings.setValue(kSearchAsYouTypeKey, written.SearchAsYouType);
  settings.setValue(kForgivingKey, written.Forgiving);
}
