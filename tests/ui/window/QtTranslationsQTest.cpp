// Qt's own texts in Russian once the program has loaded Qt's translations. (Qt's
// catalogue keeps "OK" in Latin letters, which read as the Russian «ОК».)

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QLibraryInfo>
#include <QPushButton>
#include <QTest>

#include "ui/QtTranslations.h"

class QtTranslationsQTest : public QObject {
  Q_OBJECT
 private slots:
  void standardButtonsReadRussian() {
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_ru.qm"))
      QSKIP("Qt's Russian translations are not installed");
    // Without the mnemonic a theme may mark: the words are what a user reads.
    const auto cancel = [] {
      QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
      return box.button(QDialogButtonBox::Cancel)->text().remove('&');
    };
    QCOMPARE(cancel(), QStringLiteral("Cancel"));
    InstallQtTranslations();
    QCOMPARE(cancel(), QStringLiteral("Отмена"));
    QCOMPARE(QCoreApplication::translate("QLineEdit", "&Paste"), QStringLiteral("В&ставить"));
  }
};

QTEST_MAIN(QtTranslationsQTest)

#include "QtTranslationsQTest.moc"
