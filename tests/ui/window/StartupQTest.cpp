// Start-up as a user meets it: the loading and loaded messages, a phone file that
// cannot be read, and a missing name list that ends the program with code 217.

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "app/Startup.h"
#include "data/LoadDataThread.h"
#include "tests/ui/window/support/WindowFixture.h"
#include "ui/Application.h"
#include "ui/report/ApplicationTitle.h"
#include "ui/report/MessageBox.h"
#include "ui/report/StartupFailureReport.h"

namespace {

constexpr char kChildSwitch[] = "--run-startup";

TDirectoryWriter SmallDirectory() {
  TDirectoryWriter directory;
  directory.City("Заречный").Street("Лесная");
  directory.Owner("Иванов Иван").Phone({745, 1, 1, 12, 45, "а"}).Phone({746, 1, 1, 12, 46, ""});
  directory.Owner("Петров Пётр").Phone({1000, 0, 0, 1, 2, ""});
  directory.Owner("Сидоров без телефона");
  return directory;
}

// In the child: once the application object exists, report every message box and
// main window on stdout, answering the boxes with OK and closing the windows. A
// window line also carries the display name the platform appends to every caption
// once one is set, and the application name it falls back to when none is.
bool childMode = false;

void WatchStartup() {
  if (!childMode) return;
  SetMessageBoxAnswer([](const TMessageBox& box) {
    std::printf("box|%s|%s|%d|%d\n", qPrintable(box.Caption), qPrintable(box.Text), static_cast<int>(box.Icon),
                box.Buttons.toInt());
    std::fflush(stdout);
    return QMessageBox::Ok;
  });
  auto* timer = new QTimer(QCoreApplication::instance());
  QObject::connect(timer, &QTimer::timeout, [] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (!qobject_cast<QMainWindow*>(widget) || !widget->isVisible()) continue;
      std::printf("window %s|%s|%s|%s\n", qPrintable(widget->objectName()), qPrintable(widget->windowTitle()),
                  qPrintable(QGuiApplication::applicationDisplayName()),
                  qPrintable(QCoreApplication::applicationName()));
      std::fflush(stdout);
      widget->close();
    }
  });
  timer->start(20);
}
Q_COREAPP_STARTUP_FUNCTION(WatchStartup)

// Runs a copy of this test program, placed in directory, through the real start-up.
void StartStartupIn(const QString& directory, QProcess& process) {
  const QString copy = directory + "/orlinar-startup";
  QFile::copy(QCoreApplication::applicationFilePath(), copy);
  QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  process.setProcessEnvironment(environment);
  process.start(copy, {kChildSwitch});
}

}  // namespace

class StartupQTest : public QObject {
  Q_OBJECT
 private slots:
  void windowOpensLoadingWithSearchDisabled() {
    TWindowFixture fixture(SmallDirectory(), TWindowFixture::TPhones::Held);
    TfrmMain& window = fixture.Window();
    QCOMPARE(window.windowTitle(), ApplicationTitle());
    QCOMPARE(StatusOf(window), QStringLiteral("Загрузка базы данных..."));
    QVERIFY(!window.btnGo->isEnabled());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(StatusOf(window), QStringLiteral("Загрузка базы данных..."));
    QVERIFY(!PhonesLoaded(window));
  }

  void loadedMessageCountsPhonesAndEveryOwner() {
    TWindowFixture fixture(SmallDirectory());
    QVERIFY(fixture.ShowAndWait());
    QTRY_COMPARE(StatusOf(fixture.Window()), QStringLiteral("База загружена. Телефонов: 3, абонентов: 3."));
  }

  void emptyPhoneFileLoadsWithZeroCounts() {
    TDirectoryWriter directory;
    directory.City("Заречный");
    TWindowFixture fixture(directory);
    QVERIFY(fixture.ShowAndWait());
    QVERIFY(PhonesLoaded(fixture.Window()));
    QTRY_COMPARE(StatusOf(fixture.Window()), QStringLiteral("База загружена. Телефонов: 0, абонентов: 0."));
  }

  void closingWhileTheLoaderHandsOverDoesNotHang() {
    TDirectoryWriter directory = SmallDirectory();
    TWindowFixture fixture(directory, TWindowFixture::TPhones::Held);
    fixture.Window().show();
    fixture.ReleasePhonesWith(directory.PhonesBytes());
    // No event is processed meanwhile, so the loader's hand-over to the window stays pending.
    QThread::msleep(300);
    QVERIFY(!PhonesLoaded(fixture.Window()));
    fixture.DestroyWindow();
  }

  void missingPhoneFileEndsTheSearchWithAReport() {
    TWindowFixture fixture(SmallDirectory(), TWindowFixture::TPhones::Absent);
    QVERIFY(fixture.ShowAndWait());
    QVERIFY(PhonesLoadFailed(fixture.Window()));
    TfrmMain& window = fixture.Window();
    QTRY_COMPARE(StatusOf(window), QStringLiteral("База данных не загружена."));

    TMessageBoxCatcher boxes;
    SearchOwner(window, QStringLiteral("иван"));
    QCOMPARE(boxes.Seen().size(), size_t{1});
    const auto& report = boxes.Seen().front();
    QVERIFY2(report.Text.contains("Phones.dbr"), qPrintable(report.Text));
    QVERIFY2(report.Text.contains(QStringLiteral("не найден")), qPrintable(report.Text));
    QVERIFY(report.Text.endsWith('.') || report.Text.endsWith(')'));
    QCOMPARE(report.Icon, QMessageBox::Critical);
    QCOMPARE(StatusOf(window), QStringLiteral("База данных не загружена."));
    QVERIFY(QApplication::overrideCursor() == nullptr);

    // A second try ends the same way at once rather than waiting.
    ClickSearch(window);
    QCOMPARE(boxes.Seen().size(), size_t{2});
  }

  void missingNameListEndsWithRuntimeError217() {
    for (bool citiesPresent : {false, true}) {
      QTemporaryDir directory;
      SmallDirectory().Save(directory.path().toStdString(), citiesPresent, !citiesPresent, true);
      QProcess child;
      StartStartupIn(directory.path(), child);
      QVERIFY(child.waitForFinished(60000));
      const QString output = QString::fromLocal8Bit(child.readAllStandardOutput());
      QCOMPARE(child.exitStatus(), QProcess::NormalExit);
      QCOMPARE(child.exitCode(), kStartupFailureExitCode);
      QVERIFY2(!output.contains("window"), qPrintable(output));
      const QStringList lines = output.split('\n', Qt::SkipEmptyParts);
      QCOMPARE(lines.size(), 1);
      const QStringList box = lines.front().split('|');
      QCOMPARE(box.value(1), QStringLiteral("Error"));
      QVERIFY2(QRegularExpression("^Runtime error 217 at [0-9A-F]{8}$").match(box.value(2)).hasMatch(),
               qPrintable(box.value(2)));
      QCOMPARE(box.value(3).toInt(), static_cast<int>(QMessageBox::NoIcon));
      QCOMPARE(box.value(4).toInt(), static_cast<int>(QMessageBox::Ok));

      const QStringList said = QString::fromLocal8Bit(child.readAllStandardError())
                                   .split('\n', Qt::SkipEmptyParts)
                                   .filter(QRegularExpression("^orlinar: "));
      QCOMPARE(said.size(), 1);
      QVERIFY2(said.front().contains(directory.path() + (citiesPresent ? "/Streets.dbr" : "/Cities.dbr")),
               qPrintable(said.front()));
      QVERIFY2(said.front().contains(QStringLiteral("не найден")), qPrintable(said.front()));
    }
  }

  // A display name would turn "Подтверждение" into "Подтверждение — <display name>".
  void startedProgramSetsNoNameToAppendToCaptions() {
    QTemporaryDir directory;
    SmallDirectory().Save(directory.path().toStdString());
    QProcess child;
    StartStartupIn(directory.path(), child);
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitCode(), 0);
    const QStringList lines = QString::fromLocal8Bit(child.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1);
    const QStringList window = lines.front().split('|');
    QCOMPARE(window.value(0), QStringLiteral("window frmMain"));
    QCOMPARE(window.value(1), ApplicationTitle());
    QCOMPARE(window.value(2), window.value(3));
  }

  void startupFailureTextPadsAndUpperCasesTheAddress() {
    QCOMPARE(QString::fromStdString(StartupFailureText(0x00ABCDEFu)), QStringLiteral("Runtime error 217 at 00ABCDEF"));
    QCOMPARE(QString::fromStdString(StartupFailureText(0u)), QStringLiteral("Runtime error 217 at 00000000"));
    QCOMPARE(QString::fromStdString(StartupFailureText(0xFFFFFFFFu)), QStringLiteral("Runtime error 217 at FFFFFFFF"));
  }
};

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], kChildSwitch) == 0) {
    childMode = true;
    int childArgc = 1;
    return RunOrlinar(childArgc, argv);
  }
  TApplication application(argc, argv);
  StartupQTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "StartupQTest.moc"
