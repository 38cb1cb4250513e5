#include <atomic>
#include <exception>
#include <stdexcept>
#include <thread>

#include "data/ChunkedReading.h"
#include "data/DbrRecords.h"
#include "data/LoadDataThread.h"
#include "data/ResidentMemory.h"
#include "data/TableLimits.h"

namespace {

struct TFileCounts {
  uint64_t bytes = 0;
  size_t owners = 0;
  size_t ownerBytes = 0;
  size_t phones = 0;
  size_t negativeNumbers = 0;
};

// A first pass over the records so that the tables are allocated once, at their
// final size and only when they can count it: grown step by step they would need
// half as much again while they move.
TFileCounts CountRecords(TDataFile& file) {
  TFileCounts counts;
  counts.bytes = ReadInChunks(file, UINT64_MAX, MaxPhonesRecordBytes, [&](std::string_view content) {
    return ForEachPhonesRecord(
        content,
        [&](std::string_view name) {
          ++counts.owners;
          counts.ownerBytes += name.size();
        },
        [&](const TDbrPhone& phone) {
          ++counts.phones;
          counts.negativeNumbers += phone.Number < 0;
        });
  });
  return counts;
}

// Ends a fill whose partner has failed.
struct TFillStopped {};

void ThrowIfStopped(const std::atomic<bool>& stop) {
  if (stop.load(std::memory_order_relaxed)) throw TFillStopped();
}

// Both fills read only the bytes counted: a file that grows meanwhile is taken as
// it was.
void FillOwners(const TDataFile& file, const TFileCounts& counts, TTextTable& owners, const std::atomic<bool>& stop) {
  TPositionedReader reader(file);
  ReadInChunks(reader, counts.bytes, MaxPhonesRecordBytes, [&](std::string_view content) {
    ThrowIfStopped(stop);
    return ForEachPhonesRecord(
        content,
        [&](std::string_view name) {
          // A file rewritten since it was counted may hold more owners than fit.
          if (owners.size() == MaxTableRecords) throw std::length_error("owner count exceeds the signed 32-bit range");
          owners.push_back(name);
        },
        [](const TDbrPhone&) {});
  });
}

// Returns the owner records seen, which the owners' fill must have seen too.
size_t FillPhones(const TDataFile& file, const TFileCounts& counts, TDirectory& directory, TLoadDataThread& loader,
                  const std::atomic<bool>& stop) {
  TPositionedReader reader(file);
  size_t owners = 0;
  ReadInChunks(reader, counts.bytes, MaxPhonesRecordBytes, [&](std::string_view content) {
    ThrowIfStopped(stop);
    return ForEachPhonesRecord(
        content,
        [&](std::string_view) {
          if (owners == MaxTableRecords) throw std::length_error("owner count exceeds the signed 32-bit range");
          ++owners;
        },
        [&](const TDbrPhone& phone) { AddPhone(directory, loader, static_cast<int32_t>(owners) - 1, phone); });
  });
  return owners;
}

// Rethrows failure unless it only stopped a fill for its partner's failure.
void RethrowFailure(const std::exception_ptr& failure) {
  if (!failure) return;
  try {
    std::rethrow_exception(failure);
  } catch (const TFillStopped&) {
  }
}

// The owners and the phones are filled side by side, each reading the file itself.
void FillTables(const TDataFile& file, const TFileCounts& counts, TDirectory& directory, TLoadDataThread& loader) {
  std::atomic<bool> stop = false;
  std::exception_ptr ownersFailure;
  std::exception_ptr phonesFailure;
  size_t owners = 0;
  {
    const auto failed = [&stop](std::exception_ptr& failure) {
      failure = std::current_exception();
      stop = true;
    };
    const std::jthread ownersFill([&] {
      try {
        FillOwners(file, counts, directory.Owners, stop);
      } catch (...) {
        failed(ownersFailure);
      }
    });
    try {
      owners = FillPhones(file, counts, directory, loader, stop);
    } catch (...) {
      failed(phonesFailure);
    }
  }
  RethrowFailure(phonesFailure);
  RethrowFailure(ownersFailure);
  // Rewritten in place between the two readings, the file could pair phones with
  // owners that are not theirs, or with none.
  if (owners != directory.Owners.size()) throw std::runtime_error("the file changed while it was read");
}

}  // namespace

void LoadPhones(TDirectory& directory, TDirectoryFiles& files, TLoadDataThread& loader) {
  directory.Phones.clear();
  directory.Owners.clear();
  loader.Count = 0;
  const std::unique_ptr<TDataFile> held = files.Take(TDirectoryFiles::PhonesFile);
  TDataFile& file = *held;
  const std::string& path = file.Path();
  LoadWithinMemory(path, [&] {
    const TFileCounts counts = CountRecords(file);
    CheckRecordCount(counts.owners, path);
    CheckRecordCount(counts.phones, path);
    directory.Owners.reserve(counts.owners, counts.ownerBytes);
    directory.Phones.reserve(counts.phones, counts.negativeNumbers);
    std::vector<TReservedBlock> blocks = directory.Owners.ReservedBlocks();
    for (const TReservedBlock& block : directory.Phones.ReservedBlocks()) blocks.push_back(block);
    // Populating the reserved memory takes about as long as filling it; side by side
    // the two take little more than the fill.
    const TResidentAhead resident(std::move(blocks));
    FillTables(file, counts, directory, loader);
  });
  file.Close();
}

void AddPhone(TDirectory& directory, TLoadDataThread& loader, int32_t ownerIndex, const TDbrPhone& phone) {
  if (loader.Count == INT32_MAX) throw std::length_error("phone count exceeds the signed 32-bit range");
  ++loader.Count;
  directory.Phones.Append(ownerIndex, phone);
}
