// The window as the user left it comes back at the next start, and a settings file
// that is damaged or another program's never stops the start nor breaks the grid.

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QTest>

#include "tests/ui/window/support/WindowFixture.h"
#include "tests/ui/window/support/WindowTestMain.h"
#include "ui/grid/ResultGrid.h"

namespace {

TDirectoryWriter SmallDirectory() {
  TDirectoryWriter directory;
  directory.City("Заречный").Street("Лесная");
  directory.Owner("Иванов").Phone({20, 1, 1, 12, 45, ""});
  return directory;
}

void WriteSettingsFile(const TWindowFixture& fixture, const QByteArray& bytes) {
  QDir().mkpath(QString::fromStdString(fixture.Directory()) + "/settings/Orlinar");
  QFile file(QString::fromStdString(fixture.Directory()) + "/settings/Orlinar/orlinar.conf");
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes);
}

}  // namespace

class WindowMemoryQTest : public QObject {
  Q_OBJECT
 private slots:
  void closingKeepsThePlaceTheGridAndTheBoxesForTheNextStart() {
    TWindowFixture fixture(SmallDirectory());
    TfrmMain& window = fixture.LoadedWindow();
    TGridLayout layout = window.gPhones->Layout();
    layout.VisualOrder = {2, 0, 1, 3, 4, 6, 5};
    layout.Widths[1] += 40;
    layout.Sort = {{3, true}, {0, false}};
    layout.Grouping = {2};
    window.gPhones->RestoreLayout(layout);
    window.chkRegExpr->setChecked(true);
    window.resize(900, 600);
    window.close();
    fixture.DestroyWindow();

    TfrmMain& again = fixture.Window();
    QCOMPARE(again.gPhones->Layout(), layout);
    QVERIFY(again.chkRegExpr->isChecked());
    QVERIFY(!again.chkForgiving->isEnabled());
    QCOMPARE(again.size(), QSize(900, 600));
  }

  void aDamagedOrForeignFileLeavesTheDefaults() {
    TWindowFixture fixture(SmallDirectory());
    const TGridLayout defaults = fixture.Window().gPhones->Layout();
    const QSize size = fixture.Window().size();
    fixture.DestroyWindow();
    for (const QByteArray& bytes : {QByteArray("[grid]\ncolumns=6,5,4,3,2,1,1\nwidths=50,50,50,50,50,50,50\nsort=0+\n"),
                                    QByteArray("[grid]\ncolumns=6,5,4,3,2,1,0\nwidths=50,50,50,50,50,50\n"),
                                    QByteArray("[grid]\ncolumns=6,5,4,3,2,1,0\nwidths=50,50,50,50,50,50,99999\n"),
                                    QByteArray("[grid]\ncolumns=0,1,2,3,4,5,6,7\nwidths=50,50,50,50,50,50,50,50\n"),
                                    QByteArray("[search]\nregExpr=perhaps\n[window]\ngeometry=@ByteArray(\\x1\\x2)\n"),
                                    QByteArray("\xff\xfe\0[[[grid\n=\n\\", 12)}) {
      WriteSettingsFile(fixture, bytes);
      TfrmMain& window = fixture.Window();
      QCOMPARE(window.gPhones->Layout(), defaults);
      QVERIFY(!window.chkRegExpr->isChecked());
      QCOMPARE(window.size(), size);
      fixture.DestroyWindow();
    }
  }
};

ORLINAR_WINDOW_TEST_MAIN(WindowMemoryQTest)

#include "WindowMemoryQTest.moc"
