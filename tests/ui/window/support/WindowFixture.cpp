#include "WindowFixture.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "LoadDataThread.h"
#include "ResultGrid.h"
#include "StatusText.h"
#include "Tables.h"

TWindowFixture::TWindowFixture(const TDirectoryWriter& directory) { Prepare(directory, true); }

TWindowFixture::TWindowFixture(const TDirectoryWriter& directory, TPhones phones) {
  Prepare(directory, false);
  if (phones == TPhones::Fifo) {
    if (::mkfifo(PhonesPath().c_str(), 0600) != 0) throw std::runtime_error("cannot make a FIFO");
    fifo_ = true;
  }
}

void TWindowFixture::Prepare(const TDirectoryWriter& directory, bool phonesFile) {
  if (!directory_.isValid()) throw std::runtime_error("no temporary directory");
  directory.Save(Directory(), true, true, phonesFile);
  DataLoaded.store(false);
  LoadFailed.store(false);
  SetDataDirectory(Directory());
  LoadCities();
  LoadStreets();
}

TWindowFixture::~TWindowFixture() {
  if (feeder_.joinable()) feeder_.join();
  ReleaseFifo();
  window_.reset();
}

// A loader still blocked on the FIFO would never let the window's destructor end: open
// and close the writing end once the loader is reading, whenever it gets there.
void TWindowFixture::ReleaseFifo() {
  if (!fifo_ || !window_ || !window_->isVisible()) return;
  QDeadlineTimer deadline(20000);
  while (!DataLoaded.load() && !LoadFailed.load() && !deadline.hasExpired()) {
    int descriptor = ::open(PhonesPath().c_str(), O_WRONLY | O_NONBLOCK);
    if (descriptor >= 0) {
      ::close(descriptor);
      return;
    }
    QTest::qWait(5);
  }
}

void TWindowFixture::DestroyWindow() {
  if (feeder_.joinable()) feeder_.join();
  window_.reset();
}

void TWindowFixture::FeedFifo(std::string phonesBytes) {
  feeder_ = std::thread([path = PhonesPath(), bytes = std::move(phonesBytes)] {
    int descriptor = ::open(path.c_str(), O_WRONLY);
    if (descriptor < 0) return;
    for (size_t done = 0; done < bytes.size();) {
      ssize_t written = ::write(descriptor, bytes.data() + done, bytes.size() - done);
      if (written <= 0) break;
      done += static_cast<size_t>(written);
    }
    ::close(descriptor);
  });
}

std::string TWindowFixture::Directory() const { return directory_.path().toStdString(); }

std::string TWindowFixture::PhonesPath() const { return Directory() + "/Phones.dbr"; }

TfrmMain& TWindowFixture::Window() {
  if (!window_) window_ = std::make_unique<TfrmMain>();
  return *window_;
}

bool TWindowFixture::ShowAndWait() {
  Window().show();
  return QTest::qWaitFor([] { return DataLoaded.load() || LoadFailed.load(); }, 20000);
}

QString StatusOf(TfrmMain& window) { return window.StatusText->Text(); }

QStringList ColumnTexts(TfrmMain& window, int column) {
  QAbstractItemModel* model = window.gPhones->View()->model();
  QStringList texts;
  for (int row = 0; row < model->rowCount(); ++row) texts << model->index(row, column).data().toString();
  return texts;
}

void SearchOwner(TfrmMain& window, const QString& owner) {
  window.teOwner->setText(owner);
  window.btnGo->click();
}

TMessageBoxCatcher::TMessageBoxCatcher() {
  QObject::connect(&timer_, &QTimer::timeout, [this] { CloseBoxes(); });
  timer_.start(10);
}

void TMessageBoxCatcher::CloseBoxes() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* box = qobject_cast<QMessageBox*>(widget);
    if (!box || !box->isVisible()) continue;
    seen_.push_back({box->windowTitle(), box->text(), box->icon()});
    box->done(QMessageBox::Ok);
  }
}
