#include "data/ResidentMemory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace {

struct TPageRange {
  uintptr_t First = 0;
  uintptr_t End = 0;
};

uintptr_t PageSize() {
  static const uintptr_t page = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
  return page;
}

// Only whole pages inside the block: its neighbours belong to other allocations.
TPageRange WholePagesOf(const void* data, size_t bytes) {
  const uintptr_t page = PageSize();
  const auto start = reinterpret_cast<uintptr_t>(data);
  return {(start + page - 1) & ~(page - 1), (start + bytes) & ~(page - 1)};
}

void PopulatePages(uintptr_t first, uintptr_t end) {
#ifdef MADV_POPULATE_WRITE
  if (end > first) ::madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
#else
  (void)first;
  (void)end;
#endif
}

}  // namespace

void MakeResident(void* data, size_t bytes) {
  const TPageRange pages = WholePagesOf(data, bytes);
  PopulatePages(pages.First, pages.End);
}

TResidentAhead::TResidentAhead(std::vector<TReservedBlock> blocks)
    : thread_([blocks = std::move(blocks)](const std::stop_token& stop) {
        // Slices of a few hundred kilobytes keep the lead small at the start, when the
        // fill is closest behind.
        constexpr uintptr_t Slices = 256;
        const uintptr_t page = PageSize();
        for (uintptr_t slice = 0; slice < Slices && !stop.stop_requested(); ++slice) {
          for (const TReservedBlock& block : blocks) {
            const TPageRange pages = WholePagesOf(block.Data, block.Bytes);
            if (pages.End <= pages.First) continue;
            const uintptr_t count = (pages.End - pages.First) / page;
            PopulatePages(pages.First + count * slice / Slices * page,
                          pages.First + count * (slice + 1) / Slices * page);
          }
        }
      }) {}
