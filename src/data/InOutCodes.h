#pragma once
// The codes a failed data-file operation carries (EInOutError::Code), each with its
// reason in the program's Russian and in the data tool's English.

#include <string_view>

namespace inout {

constexpr int FileNotFound = 2;
constexpr int FolderNotFound = 3;
constexpr int TooManyOpenFiles = 4;
constexpr int AccessRefused = 5;    // also for anything that is not a regular file
constexpr int NotEnoughMemory = 8;  // also for more records than the tables can count
constexpr int ReadFault = 30;

struct TReason {
  int Code;
  std::string_view Russian;  // UTF-8, made Windows-1251 where a message is made
  std::string_view English;
};

inline constexpr TReason Reasons[] = {
    {FileNotFound, "файл не найден", "no such file"},
    {FolderNotFound, "папка не найдена", "no such folder"},
    {TooManyOpenFiles, "слишком много открытых файлов", "too many open files"},
    {AccessRefused, "доступ запрещён", "access denied"},
    {NotEnoughMemory, "недостаточно памяти", "not enough memory, or more records than a directory can count"},
    {ReadFault, "ошибка чтения", "read error"},
};
inline constexpr TReason OtherReason{0, "ошибка ввода-вывода", "input/output error"};

// The reason of code, OtherReason for a code not in the table.
constexpr const TReason& ReasonOf(int code) {
  for (const TReason& reason : Reasons)
    if (reason.Code == code) return reason;
  return OtherReason;
}

}  // namespace inout
