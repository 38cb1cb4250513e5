#pragma once
// The benchmark workload: subscriber names and telephone numbers as a
// directory holds them, in Windows-1251, the same on every run.

#include <string>
#include <vector>

struct TSubscriberTexts {
  std::vector<std::string> Names;  // "Петрова Анна Сергеевна", "ИП Орлов", "ООО «Северный двор»"
  std::vector<std::string> Numbers;  // six or seven digits, or ten or eleven for mobiles
};

// Built on first use and kept for the process.
const TSubscriberTexts& SubscriberTexts(int count);
