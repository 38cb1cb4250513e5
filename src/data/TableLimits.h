#pragma once
// What the tables can hold: records are counted and indexed with signed 32-bit
// numbers, and all of them must fit into memory. A data file beyond either limit
// fails to load like an unreadable one.

#include <cstddef>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <string>

constexpr size_t MaxTableRecords = INT32_MAX;

// Throws EInOutError (code 8) when count records of path exceed limit.
void CheckRecordCount(size_t count, const std::string& path, size_t limit = MaxTableRecords);

[[noreturn]] void ThrowOutOfMemory(const std::string& path);
[[noreturn]] void ThrowTooLarge(const std::string& path);

// Runs load, turning an exhausted memory (std::bad_alloc) or a table grown past its
// size limit (std::length_error) into the EInOutError of path (code 8).
template <typename TLoad>
void LoadWithinMemory(const std::string& path, TLoad&& load) {
  try {
    load();
  } catch (const std::bad_alloc&) {
    ThrowOutOfMemory(path);
  } catch (const std::length_error&) {
    ThrowTooLarge(path);
  }
}
