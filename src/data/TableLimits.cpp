#include "data/TableLimits.h"

#include "data/DataFile.h"

void CheckRecordCount(size_t count, const std::string& path, size_t limit) {
  if (count > limit) {
    throw EInOutError(inout::NotEnoughMemory, path, "слишком много записей: больше " + std::to_string(limit));
  }
}

void ThrowOutOfMemory(const std::string& path) { throw EInOutError(inout::NotEnoughMemory, path); }

void ThrowTooLarge(const std::string& path) {
  throw EInOutError(inout::NotEnoughMemory, path, "файл слишком велик для таблиц");
}
