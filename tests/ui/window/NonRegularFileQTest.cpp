// Data files that are not regular files, as a user meets them: a name list ends the
// start-up with the 217 report at once, a phone file leaves the loading status.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "app/Startup.h"
#include "data/LoadDataThread.h"
#include "tests/ui/window/support/WindowFixture.h"
#include "ui/Application.h"
#include "ui/report/MessageBox.h"
#include "ui/report/StartupFailureReport.h"
#include "ui/text/Text1251.h"

namespace {

constexpr char kChildSwitch[] = "--run-startup";

// In the child: report every message box and main window on stdout, answering the
// boxes with OK.
bool childMode = false;

void WatchStartup() {
  if (!childMode) return;
  SetMessageBoxAnswer([](const TMessageBox& box) {
    std::printf("box|%s|%s\n", qPrintable(box.Caption), qPrintable(box.Text));
    std::fflush(stdout);
    return QMessageBox::Ok;
  });
  auto* timer = new QTimer(QCoreApplication::instance());
  QObject::connect(timer, &QTimer::timeout, [] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (qobject_cast<QMainWindow*>(widget) && widget->isVisible()) std::printf("window\n");
    }
    std::fflush(stdout);
  });
  timer->start(20);
}
Q_COREAPP_STARTUP_FUNCTION(WatchStartup)

TDirectoryWriter SmallDirectory() {
  TDirectoryWriter directory;
  directory.City("Заречный").Street("Лесная").Owner("Иванов Иван").Phone({745, 1, 1, 12, 45, "а"});
  return directory;
}

// A loader that still waits on the pipe is let go by a writer, so that a failing
// test ends instead of hanging in the window's destructor.
void ReleasePipe(const std::string& path) {
  const int writer = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
  if (writer >= 0) ::close(writer);
}

}  // namespace

class NonRegularFileQTest : public QObject {
  Q_OBJECT
 private slots:
  void nameListThatIsNoFileEndsWithRuntimeError217_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("pipe");
    QTest::newRow("Cities.dbr a named pipe") << "Cities.dbr" << true;
    // /dev/null: should it ever be read again, it ends at once instead of filling memory.
    QTest::newRow("Streets.dbr a link to /dev/null") << "Streets.dbr" << false;
  }

  void nameListThatIsNoFileEndsWithRuntimeError217() {
    QFETCH(QString, name);
    QFETCH(bool, pipe);
    QTemporaryDir directory;
    SmallDirectory().Save(directory.path().toStdString());
    const std::string path = (directory.path() + '/' + name).toStdString();
    QFile::remove(QString::fromStdString(path));
    QCOMPARE(pipe ? ::mkfifo(path.c_str(), 0600) : ::symlink("/dev/null", path.c_str()), 0);

    const QString copy = directory.path() + "/orlinar-startup";
    QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), copy));
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    child.setProcessEnvironment(environment);
    child.start(copy, {kChildSwitch});
    const bool ended = child.waitForFinished(30000);
    if (!ended) {
      ReleasePipe(path);
      child.kill();
      child.waitForFinished();
    }
    QVERIFY2(ended, "start-up waits on the file");

    const QString output = QString::fromLocal8Bit(child.readAllStandardOutput());
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), kStartupFailureExitCode);
    QVERIFY2(!output.contains("window"), qPrintable(output));
    const QStringList box = output.trimmed().split('|');
    QCOMPARE(box.value(1), QStringLiteral("Error"));
    QVERIFY2(QRegularExpression("^Runtime error 217 at [0-9A-F]{8}$").match(box.value(2)).hasMatch(),
             qPrintable(output));
  }

  void phoneFileThatIsAPipeFailsTheLoadAndSaysSo() {
    TWindowFixture fixture(SmallDirectory(), TWindowFixture::TPhones::Absent);
    QCOMPARE(::mkfifo(fixture.PhonesPath().c_str(), 0600), 0);
    QElapsedTimer elapsed;
    elapsed.start();
    const bool ended = fixture.ShowAndWait();
    if (!ended) ReleasePipe(fixture.PhonesPath());
    QVERIFY2(ended, "the loader waits on the pipe");
    QVERIFY2(elapsed.elapsed() < 5000, qPrintable(QString::number(elapsed.elapsed())));
    QVERIFY(PhonesLoadFailed(fixture.Window()));
    QVERIFY(!PhonesLoaded(fixture.Window()));
    QTRY_COMPARE(StatusOf(fixture.Window()), QStringLiteral("База данных не загружена."));
    const QString reason = FromCp1251(fixture.Window().Loader()->LoadFailureText());
    QVERIFY2(reason.contains("Phones.dbr") && reason.contains(QStringLiteral("именованный канал")), qPrintable(reason));
  }
};

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], kChildSwitch) == 0) {
    childMode = true;
    int childArgc = 1;
    return RunOrlinar(childArgc, argv);
  }
  TApplication application(argc, argv);
  NonRegularFileQTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "NonRegularFileQTest.moc"
