#include "data/LoadDataThread.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>

#include "data/LoadDirectory.h"

#include "tests/data/support/DirectoryFiles.h"
#include "tests/support/Cp1251Literal.h"

namespace {

// Stands in for the window thread: the loader's hand-over waits in a queue until
// the test thread runs it.
class TFakeWindowThread {
 public:
  TLoadDataThread::TSynchronize Synchronize() {
    return [this](const std::function<void()>& procedure) {
      std::unique_lock lock(mutex_);
      bool done = false;
      queue_.push_back([&] {
        procedure();
        done = true;
      });
      changed_.notify_all();
      changed_.wait(lock, [&] { return done; });
    };
  }

  // Runs one handed-over procedure, waiting for it up to a few seconds.
  bool RunOne() {
    std::unique_lock lock(mutex_);
    if (!changed_.wait_for(lock, std::chrono::seconds(10), [&] { return !queue_.empty(); })) return false;
    auto procedure = std::move(queue_.front());
    queue_.pop_front();
    procedure();
    changed_.notify_all();
    return true;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::function<void()>> queue_;
};

class LoadDataThread : public ::testing::Test {
 protected:
  TTempDirectory dir;
  TDirectory directory;
  TFakeWindowThread window;
};

void WaitUntilFinished(const TLoadDataThread& loader) {
  for (int i = 0; i < 10000 && !loader.Finished(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

}  // namespace

TEST_F(LoadDataThread, LoadedFlagAppearsOnlyWithTheHandOverOnTheWindowThread) {
  dir.Write("Phones.dbr", OwnerRecord("A") + PhoneRecord(1, 0, 0, 0, 0) + PhoneRecord(2, 0, 0, 0, 0));
  bool flagSeenInHandOver = false;
  size_t phonesSeen = 0;
  const auto windowThread = std::this_thread::get_id();
  const TLoadDataThread* seen = nullptr;
  TLoadDataThread loader(directory, dir.Path(), window.Synchronize(), [&] {
    flagSeenInHandOver = seen->DataLoaded() && std::this_thread::get_id() == windowThread;
    phonesSeen = directory.Phones.size();
  });
  seen = &loader;
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_FALSE(loader.DataLoaded());
  EXPECT_FALSE(loader.Finished());
  ASSERT_TRUE(window.RunOne());
  EXPECT_TRUE(flagSeenInHandOver);
  EXPECT_EQ(phonesSeen, 2u);
  WaitUntilFinished(loader);
  EXPECT_TRUE(loader.Finished());
  EXPECT_EQ(loader.Count, 2);
  EXPECT_FALSE(loader.LoadFailed());
}

TEST_F(LoadDataThread, MissingFileSetsFailureWithoutHandOver) {
  bool handedOver = false;
  TLoadDataThread loader(directory, dir.Path(), window.Synchronize(), [&] { handedOver = true; });
  WaitUntilFinished(loader);
  ASSERT_TRUE(loader.Finished());
  EXPECT_TRUE(loader.LoadFailed());
  EXPECT_FALSE(loader.DataLoaded());
  EXPECT_FALSE(handedOver);
  EXPECT_EQ(loader.LoadFailureText(),
            Cp("Не удалось прочитать файл \"") + dir.Path() + Cp("/Phones.dbr\": файл не найден (код 2)"));
}

TEST_F(LoadDataThread, FailingHandOverClearsTheLoadedFlag) {
  dir.Write("Phones.dbr", "");
  TLoadDataThread loader(directory, dir.Path(), HandOverAtOnce, [] { throw std::runtime_error("window gone"); });
  WaitUntilFinished(loader);
  EXPECT_FALSE(loader.DataLoaded());
  EXPECT_TRUE(loader.LoadFailed());
  EXPECT_NE(loader.LoadFailureText().find("window gone"), std::string::npos);
}

TEST_F(LoadDataThread, RaisingPriorityIsHarmlessWhileRunningAndAfterTheEnd) {
  dir.Write("Phones.dbr", OwnerRecord("A"));
  TLoadDataThread loader(directory, dir.Path(), window.Synchronize(), nullptr);
  loader.RaiseToHighestPriority();
  ASSERT_TRUE(window.RunOne());
  WaitUntilFinished(loader);
  loader.RaiseToHighestPriority();
  loader.Join();
  loader.RaiseToHighestPriority();
  EXPECT_TRUE(loader.DataLoaded());
  EXPECT_EQ(directory.Owners.size(), 1u);
}

TEST(LoadDirectory, ReadsTheThreeFilesOrThrowsTheErrorOfTheFirstThatFails) {
  TTempDirectory dir;
  dir.Write("Cities.dbr", NameRecord("a"));
  dir.Write("Streets.dbr", NameRecord("b") + NameRecord("c"));
  dir.Write("Phones.dbr", OwnerRecord("o") + PhoneRecord(5, 1, 2, 3, 4));
  const auto directory = LoadDirectory(dir.Path());
  EXPECT_EQ(directory->Cities, (std::vector<std::string>{"", "a"}));
  EXPECT_EQ(directory->Streets.size(), 3u);
  ASSERT_EQ(directory->Phones.size(), 1u);
  EXPECT_EQ(directory->OwnerName(directory->Phones[0]), "o");
  for (const char* name : {"Phones.dbr", "Streets.dbr", "Cities.dbr"}) {
    std::remove(dir.FilePath(name).c_str());
    try {
      LoadDirectory(dir.Path());
      ADD_FAILURE() << "no error without " << name;
    } catch (const EInOutError& error) {
      EXPECT_EQ(error.Code, 2) << name;
      EXPECT_EQ(error.Path, dir.FilePath(name));
    }
  }
}
