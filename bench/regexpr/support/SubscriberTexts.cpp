#include "bench/regexpr/support/SubscriberTexts.h"

#include <stdexcept>

#include "tools/SyntheticDirectory.h"

namespace {

TSubscriberTexts Build(int count) {
  TSyntheticDirectory synthetic(20261208);
  TSubscriberTexts texts;
  texts.Names.reserve(count);
  texts.Numbers.reserve(count);
  while (static_cast<int>(texts.Names.size()) < count) {
    const TSyntheticSubscriber& subscriber = synthetic.NextSubscriber(count);
    texts.Names.push_back(subscriber.Name);
    for (const TSyntheticLine& line : subscriber.Lines) {
      if (static_cast<int>(texts.Numbers.size()) < count) texts.Numbers.push_back(std::to_string(line.Number));
    }
  }
  return texts;
}

}  // namespace

const TSubscriberTexts& SubscriberTexts(int count) {
  static const TSubscriberTexts texts = Build(count);
  if (static_cast<int>(texts.Names.size()) != count) throw std::logic_error("workload built with another size");
  return texts;
}
