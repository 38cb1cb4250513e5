// Data files that are not regular files: refused at once, whatever waits behind them.

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <functional>
#include <future>

#include "data/DataFile.h"
#include "data/LoadDataThread.h"
#include "data/NameLists.h"
#include "tests/data/support/DirectoryFiles.h"
#include "tests/support/Cp1251Literal.h"

namespace {

using namespace std::chrono_literals;

struct TOutcome {
  bool inTime = false;
  int code = 0;  // 0 when nothing was raised
  std::string message;
};

// Runs action on another thread. Should it still wait on a named pipe at path after
// the deadline, a writer opens and closes the pipe so that the test fails instead of
// hanging.
TOutcome RunWithin(const std::string& path, const std::function<void()>& action,
                   std::chrono::milliseconds deadline = 5s) {
  auto running = std::async(std::launch::async, [&]() -> TOutcome {
    try {
      action();
      return {};
    } catch (const EInOutError& error) {
      return {false, error.Code, error.what()};
    }
  });
  const bool inTime = running.wait_for(deadline) == std::future_status::ready;
  if (!inTime) {
    const int writer = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) ::close(writer);
  }
  TOutcome outcome = running.get();
  outcome.inTime = inTime;
  return outcome;
}

TOutcome OpenWithin(const std::string& path) {
  return RunWithin(path, [&] { TDataFile file(path); });
}

void MakeSocket(const std::string& path) {
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(listener, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(path.size(), sizeof address.sun_path);
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ::close(listener);  // the socket file stays behind
}

std::string Refusal(const std::string& path, const std::string& kindUtf8) {
  return Cp("Не удалось прочитать файл \"" + path + "\": это не обычный файл, а " + kindUtf8 + " (код 5)");
}

class NonRegularFile : public ::testing::Test {
 protected:
  std::string Fifo(const std::string& name) {
    const std::string path = dir.FilePath(name);
    EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
    return path;
  }
  std::string Link(const std::string& name, const char* target) {
    const std::string path = dir.FilePath(name);
    EXPECT_EQ(::symlink(target, path.c_str()), 0);
    return path;
  }
  TTempDirectory dir;
};

}  // namespace

TEST_F(NonRegularFile, EveryKindIsRefusedAtOnceNamingIt) {
  const std::string fifo = Fifo("fifo");
  const std::string socket = dir.FilePath("socket");
  MakeSocket(socket);
  const struct {
    std::string path;
    std::string kind;
  } cases[] = {
      {fifo, "именованный канал"},
      {Link("fifo-link", fifo.c_str()), "именованный канал"},
      {socket, "сокет"},
      {Link("zero-link", "/dev/zero"), "символьное устройство"},
      {Link("random-link", "/dev/urandom"), "символьное устройство"},
      {"/dev/null", "символьное устройство"},
      {dir.Path(), "папка"},
  };
  for (const auto& refused : cases) {
    const TOutcome outcome = OpenWithin(refused.path);
    EXPECT_TRUE(outcome.inTime) << refused.path;
    EXPECT_EQ(outcome.code, 5) << refused.path;
    EXPECT_EQ(outcome.message, Refusal(refused.path, refused.kind));
  }
}

TEST_F(NonRegularFile, RegularFileThroughALinkReadsAsBefore) {
  dir.Write("target", "abc");
  TDataFile file(Link("link", dir.FilePath("target").c_str()));
  EXPECT_EQ(ReadRest(file), "abc");
  EXPECT_TRUE(file.AtEnd());
}

// Refusing to wait must not reach regular files: one whose lease is being broken
// opens once its holder lets go, as a blocking open always did.
TEST_F(NonRegularFile, LeasedRegularFileOpensWhenTheLeaseEnds) {
  dir.Write("leased", "abc");
  const int holder = ::open(dir.FilePath("leased").c_str(), O_RDONLY);
  ASSERT_GE(holder, 0);
  // The break notice is a signal; SIGURG is ignored unless handled.
  ASSERT_EQ(::fcntl(holder, F_SETSIG, SIGURG), 0);
  if (::fcntl(holder, F_SETLEASE, F_WRLCK) != 0) {
    ::close(holder);
    GTEST_SKIP() << "this file system grants no leases";
  }
  std::string content;
  auto opening = std::async(std::launch::async, [&] {
    TDataFile file(dir.FilePath("leased"));
    content = ReadRest(file);
  });
  EXPECT_EQ(opening.wait_for(100ms), std::future_status::timeout);
  ASSERT_EQ(::fcntl(holder, F_SETLEASE, F_UNLCK), 0);
  ::close(holder);
  EXPECT_NO_THROW(opening.get());
  EXPECT_EQ(content, "abc");
}

TEST_F(NonRegularFile, NameListsAreRefusedAndLeaveOnlyTheEmptyName) {
  Fifo("Cities.dbr");
  Link("Streets.dbr", "/dev/null");
  TDirectory directory;
  const TOutcome cities = RunWithin(dir.FilePath("Cities.dbr"), [&] { LoadCities(directory, dir.Path()); });
  EXPECT_TRUE(cities.inTime);
  EXPECT_EQ(cities.code, 5);
  EXPECT_EQ(directory.Cities, std::vector<std::string>{""});
  const TOutcome streets = RunWithin(dir.FilePath("Streets.dbr"), [&] { LoadStreets(directory, dir.Path()); });
  EXPECT_EQ(streets.code, 5);
  EXPECT_EQ(streets.message, Refusal(dir.FilePath("Streets.dbr"), "символьное устройство"));
}

TEST_F(NonRegularFile, PhoneFileRefusedFailsTheLoad) {
  for (const char* kind : {"fifo", "null"}) {
    TTempDirectory phones;
    const std::string path = phones.FilePath("Phones.dbr");
    if (std::string(kind) == "fifo") {
      ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    } else {
      ASSERT_EQ(::symlink("/dev/null", path.c_str()), 0);
    }
    bool loaded = true;
    bool failed = false;
    std::string failureText;
    const TOutcome outcome = RunWithin(path, [&] {
      TDirectory directory;
      TLoadDataThread loader(directory, phones.Path(), HandOverAtOnce, nullptr);
      loader.Join();
      loaded = loader.DataLoaded();
      failed = loader.LoadFailed();
      failureText = loader.LoadFailureText();
    });
    EXPECT_TRUE(outcome.inTime) << kind;
    EXPECT_FALSE(loaded) << kind;
    EXPECT_TRUE(failed) << kind;
    EXPECT_EQ(failureText, Refusal(path, std::string(kind) == "fifo" ? "именованный канал" : "символьное устройство"));
  }
}
