#pragma once
// The benchmark workload: subscriber names and telephone numbers of a synthetic
// directory (tools/SyntheticDirectory.h), in Windows-1251, the same on every run.

#include <string>
#include <vector>

struct TSubscriberTexts {
  std::vector<std::string> Names;  // the first subscribers: "Петрова Анна Сергеевна", "ООО «АгроСнаб»"
  std::vector<std::string> Numbers;  // the first lines': seven digits, or ten for mobiles
};

// Built on first use and kept for the process.
const TSubscriberTexts& SubscriberTexts(int count);
