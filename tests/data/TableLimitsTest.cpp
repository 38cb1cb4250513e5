// Files beyond what the tables can count or memory can hold fail like unreadable ones.
// Allocations are refused on demand by this program's own operator new, so the real
// loaders meet an exhausted memory with files of a few kilobytes.

#include "data/TableLimits.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "data/DataFile.h"
#include "data/LoadDataThread.h"
#include "data/NameLists.h"
#include "tests/data/support/DirectoryFiles.h"
#include "tests/support/Cp1251Literal.h"

namespace {

constexpr size_t LargeAllocation = 64 * 1024;
// The ordinal of the large allocation to refuse; 0 refuses none.
std::atomic<int> refusedLargeAllocation{0};
std::atomic<int> largeAllocationsSeen{0};

void* Allocate(std::size_t size) {
  if (size >= LargeAllocation && refusedLargeAllocation.load() > 0 &&
      ++largeAllocationsSeen == refusedLargeAllocation.load()) {
    throw std::bad_alloc();
  }
  if (void* memory = std::malloc(size ? size : 1)) return memory;
  throw std::bad_alloc();
}

// Refuses the n-th allocation of at least LargeAllocation bytes while it lives.
class TRefusedAllocation {
 public:
  explicit TRefusedAllocation(int n) {
    largeAllocationsSeen = 0;
    refusedLargeAllocation = n;
  }
  ~TRefusedAllocation() { refusedLargeAllocation = 0; }
  bool Happened() const { return largeAllocationsSeen >= refusedLargeAllocation; }
};

std::string OutOfMemory(const std::string& path) {
  return Cp("Не удалось прочитать файл \"" + path + "\": недостаточно памяти (код 8)");
}

std::string ManyPhones(int count) {
  std::string bytes = OwnerRecord("A");
  for (int i = 0; i < count; ++i) bytes += PhoneRecord(i, 1, 2, 3, 4, i % 2 ? "k" : "");
  return bytes;
}

}  // namespace

// Kept out of line: inlined into a caller, the free() would look to GCC like the mismatched
// partner of the standard operator new and fail the build under -Werror.
#define NOT_INLINED __attribute__((noinline))
NOT_INLINED void* operator new(std::size_t size) { return Allocate(size); }
NOT_INLINED void* operator new[](std::size_t size) { return Allocate(size); }
NOT_INLINED void operator delete(void* memory) noexcept { std::free(memory); }
NOT_INLINED void operator delete[](void* memory) noexcept { std::free(memory); }
NOT_INLINED void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
NOT_INLINED void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }

TEST(RecordCount, SignedThirtyTwoBitCountsAreTheLimit) {
  EXPECT_NO_THROW(CheckRecordCount(0, "p"));
  EXPECT_NO_THROW(CheckRecordCount(2147483647u, "p"));
  try {
    CheckRecordCount(2147483648u, "/d/Phones.dbr");
    FAIL() << "2147483648 records accepted";
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.Code, 8);
    EXPECT_EQ(error.Path, "/d/Phones.dbr");
    EXPECT_EQ(std::string(error.what()),
              Cp("Не удалось прочитать файл \"/d/Phones.dbr\": слишком много записей: больше 2147483647 (код 8)"));
  }
}

TEST(RecordCount, PhoneCountNeverWrapsPastItsLimit) {
  TTempDirectory dir;
  dir.Write("Phones.dbr", "");
  TDirectory directory;
  TLoadDataThread loader(directory, dir.Path(), HandOverAtOnce, nullptr);
  loader.Join();
  ASSERT_TRUE(loader.DataLoaded());
  loader.Count = INT32_MAX;
  EXPECT_THROW(AddPhone(directory, loader, 0, TDbrPhone{.Number = 1, .Corpus = ""}), std::length_error);
  EXPECT_EQ(loader.Count, INT32_MAX);
  EXPECT_TRUE(directory.Phones.empty());
}

// Every large allocation of the load is refused in turn, from reading the file to
// filling the tables, until the load needs no more of them.
TEST(OutOfMemory, EveryRefusedAllocationFailsThePhoneLoad) {
  TTempDirectory dir;
  dir.Write("Phones.dbr", ManyPhones(10000));
  TDirectory directory;
  int refused = 1;
  for (;; ++refused) {
    bool loaded;
    bool failed;
    std::string failureText;
    bool happened;
    {
      TRefusedAllocation refusal(refused);
      TLoadDataThread loader(directory, dir.Path(), HandOverAtOnce, nullptr);
      loader.Join();
      loaded = loader.DataLoaded();
      failed = loader.LoadFailed();
      failureText = loader.LoadFailureText();
      happened = refusal.Happened();
    }
    if (!happened) {
      EXPECT_TRUE(loaded);
      break;
    }
    EXPECT_FALSE(loaded) << refused;
    EXPECT_TRUE(failed) << refused;
    EXPECT_EQ(failureText, OutOfMemory(dir.FilePath("Phones.dbr"))) << refused;
  }
  EXPECT_GE(refused, 3) << "reading the file and filling the tables each need a large allocation";
  EXPECT_EQ(directory.Phones.size(), 10000u);
}

TEST(OutOfMemory, EveryRefusedAllocationFailsTheNameList) {
  TTempDirectory dir;
  dir.Write("Cities.dbr", std::string(60000, '\0'));
  TDirectory directory;
  int refused = 1;
  for (;; ++refused) {
    TRefusedAllocation refusal(refused);
    bool failed = false;
    try {
      LoadCities(directory, dir.Path());
    } catch (const EInOutError& error) {
      failed = true;
      EXPECT_EQ(error.Code, 8) << refused;
      EXPECT_EQ(std::string(error.what()), OutOfMemory(dir.FilePath("Cities.dbr"))) << refused;
    }
    if (!refusal.Happened()) {
      EXPECT_FALSE(failed);
      break;
    }
    EXPECT_TRUE(failed) << refused;
  }
  EXPECT_GE(refused, 3) << "reading the file and filling the table each need a large allocation";
  EXPECT_EQ(directory.Cities.size(), 60001u);
}
