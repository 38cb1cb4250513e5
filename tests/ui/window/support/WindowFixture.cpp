#include "tests/ui/window/support/WindowFixture.h"

#include <fcntl.h>
#include <unistd.h>

#include <QAbstractItemModelTester>
#include <QAbstractItemView>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <csignal>

#include "data/LoadDataThread.h"
#include "data/NameLists.h"
#include "ui/grid/ResultGrid.h"
#include "ui/inputs/StatusText.h"

TWindowFixture::TWindowFixture(const TDirectoryWriter& directory) { Prepare(directory, true); }

TWindowFixture::TWindowFixture(const TDirectoryWriter& directory, TPhones phones) {
  Prepare(directory, false);
  if (phones == TPhones::Held) HoldPhones();
}

void TWindowFixture::Prepare(const TDirectoryWriter& directory, bool phonesFile) {
  if (!directory_.isValid()) throw std::runtime_error("no temporary directory");
  // The window remembers its options; a test starts from none and keeps its own.
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, directory_.path() + "/settings");
  directory.Save(Directory(), true, true, phonesFile);
  nameLists_ = std::make_shared<TDirectory>();
  LoadCities(*nameLists_, Directory());
  LoadStreets(*nameLists_, Directory());
}

TWindowFixture::~TWindowFixture() {
  ReleasePhones();
  window_.reset();
}

// While the test holds a write lease on the file, the loader's open waits for it to
// be let go.
void TWindowFixture::HoldPhones() {
  WriteFile(PhonesPath(), "");
  heldPhones_ = ::open(PhonesPath().c_str(), O_RDWR | O_CLOEXEC);
  // The loader's open is announced by a signal; SIGURG is ignored unless handled.
  if (heldPhones_ < 0 || ::fcntl(heldPhones_, F_SETSIG, SIGURG) != 0 ||
      ::fcntl(heldPhones_, F_SETLEASE, F_WRLCK) != 0) {
    throw std::runtime_error("cannot hold Phones.dbr with a lease");
  }
}

void TWindowFixture::ReleasePhones() {
  if (heldPhones_ < 0) return;
  ::fcntl(heldPhones_, F_SETLEASE, F_UNLCK);
  ::close(heldPhones_);
  heldPhones_ = -1;
}

void TWindowFixture::DestroyWindow() {
  ReleasePhones();
  window_.reset();
}

void TWindowFixture::ReleasePhonesWith(const std::string& phonesBytes) {
  for (size_t done = 0; heldPhones_ >= 0 && done < phonesBytes.size();) {
    const ssize_t written = ::write(heldPhones_, phonesBytes.data() + done, phonesBytes.size() - done);
    if (written <= 0) throw std::runtime_error("cannot write the held Phones.dbr");
    done += static_cast<size_t>(written);
  }
  ReleasePhones();
}

std::string TWindowFixture::Directory() const { return directory_.path().toStdString(); }

std::string TWindowFixture::PhonesPath() const { return Directory() + "/Phones.dbr"; }

TfrmMain& TWindowFixture::Window() {
  if (window_) return *window_;
  window_ = std::make_unique<TfrmMain>(nameLists_, Directory());
  // A fault in the grid model's signals aborts the test at the signal that shows it.
  QAbstractItemModel* grid = window_->gPhones->View()->model();
  new QAbstractItemModelTester(grid, QAbstractItemModelTester::FailureReportingMode::Fatal, grid);
  return *window_;
}

bool TWindowFixture::ShowAndWait() {
  Window().show();
  return QTest::qWaitFor([this] { return PhonesLoaded(*window_) || PhonesLoadFailed(*window_); }, 20000);
}

TfrmMain& TWindowFixture::LoadedWindow() {
  if (!ShowAndWait()) throw std::runtime_error("the window's load did not end in time");
  return *window_;
}

bool PhonesLoaded(const TfrmMain& window) { return window.Loader() && window.Loader()->DataLoaded(); }

bool PhonesLoadFailed(const TfrmMain& window) { return window.Loader() && window.Loader()->LoadFailed(); }

QString StatusOf(TfrmMain& window) { return window.StatusText->Text(); }

QStringList ColumnTexts(TfrmMain& window, int column) {
  QAbstractItemModel* model = window.gPhones->View()->model();
  QStringList texts;
  for (int row = 0; row < model->rowCount(); ++row) texts << model->index(row, column).data().toString();
  return texts;
}

bool WaitForSearch(TfrmMain& window, int timeoutMilliseconds) {
  return QTest::qWaitFor([&] { return !window.Searching(); }, timeoutMilliseconds);
}

void ClickSearch(TfrmMain& window) {
  window.btnGo->click();
  QVERIFY2(WaitForSearch(window), "the search did not end");
}

void SearchOwner(TfrmMain& window, const QString& owner) {
  window.teOwner->setText(owner);
  ClickSearch(window);
}
