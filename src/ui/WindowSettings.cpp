#include "ui/WindowSettings.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStringList>

namespace {

const QString kRegExprKey = QStringLiteral("search/regExpr");
const QString kSearchAsYouTypeKey = QStringLiteral("search/asYouType");
const QString kForgivingKey = QStringLiteral("search/forgiving");
const QString kGeometryKey = QStringLiteral("window/geometry");
const QString kColumnsKey = QStringLiteral("grid/columns");
const QString kWidthsKey = QStringLiteral("grid/widths");
const QString kSortKey = QStringLiteral("grid/sort");
const QString kGroupingKey = QStringLiteral("grid/grouping");

// The application object carries no names of its own (a display name would reach
// every caption), so the store is named here unless a caller has set them.
QSettings OpenSettings() {
  const QString organisation = QCoreApplication::organizationName();
  const QString application = QCoreApplication::applicationName();
  if (!organisation.isEmpty()) return QSettings(organisation, application);
  return QSettings(QStringLiteral("Orlinar"), QStringLiteral("orlinar"));
}

// A hand-edited file may leave a list's commas unquoted, which reads as a string list.
std::string TextValue(const QSettings& settings, const QString& key) {
  const QVariant value = settings.value(key);
  const QString text =
      value.typeId() == QMetaType::QStringList ? value.toStringList().join(QLatin1Char(',')) : value.toString();
  return text.toStdString();
}

// Only what the window writes counts: any other text would otherwise read as true.
bool FlagValue(const QSettings& settings, const QString& key) {
  return settings.value(key).toString() == QLatin1String("true");
}

}  // namespace

TWindowSettings ReadWindowSettings(int columnCount, int minimumWidth) {
  const QSettings settings = OpenSettings();
  TWindowSettings read;
  read.RegExpr = FlagValue(settings, kRegExprKey);
  read.SearchAsYouType = FlagValue(settings, kSearchAsYouTypeKey);
  read.Forgiving = FlagValue(settings, kForgivingKey);
  const QVariant geometry = settings.value(kGeometryKey);
  if (geometry.typeId() == QMetaType::QByteArray) read.Geometry = geometry.toByteArray();
  read.Grid =
      ParseGridLayout(TextValue(settings, kColumnsKey), TextValue(settings, kWidthsKey), TextValue(settings, kSortKey),
                      TextValue(settings, kGroupingKey), columnCount, minimumWidth);
  return read;
}

void WriteWindowSettings(const TWindowSettings& written) {
  QSettings settings = OpenSettings();
  settings.setValue(kRegExprKey, written.RegExpr);
  settings.setValue(kSearchAsYouTypeKey, written.SearchAsYouType);
  settings.setValue(kForgivingKey, written.Forgiving);
  if (!written.Geometry.isEmpty()) settings.setValue(kGeometryKey, written.Geometry);
  if (written.Grid) {
    settings.setValue(kColumnsKey, QString::fromStdString(ColumnListText(written.Grid->VisualOrder)));
    settings.setValue(kWidthsKey, QString::fromStdString(ColumnListText(written.Grid->Widths)));
    settings.setValue(kSortKey, QString::fromStdString(SortListText(written.Grid->Sort)));
    settings.setValue(kGroupingKey, QString::fromStdString(ColumnListText(written.Grid->Grouping)));
  }
}
