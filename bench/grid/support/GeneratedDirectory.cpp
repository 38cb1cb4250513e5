#include "bench/grid/support/GeneratedDirectory.h"

#include <algorithm>
#include <map>

#include "tools/SyntheticDirectory.h"

TGeneratedDirectory::TGeneratedDirectory(size_t rows, uint32_t seed) {
  TSyntheticDirectory synthetic(seed);
  cities_ = synthetic.Cities();
  streets_ = synthetic.Streets();
  corpora_.push_back("");
  std::map<std::string, uint16_t> corpusIndex{{"", 0}};
  records_.reserve(rows);
  while (records_.size() < rows) {
    const TSyntheticSubscriber& subscriber =
        synthetic.NextSubscriber(static_cast<int>(std::min<size_t>(rows - records_.size(), 1000)));
    const auto owner = static_cast<uint32_t>(owners_.size());
    owners_.push_back(subscriber.Name);
    for (const TSyntheticLine& line : subscriber.Lines) {
      const auto [corpus, added] = corpusIndex.emplace(line.Corpus, static_cast<uint16_t>(corpora_.size()));
      if (added) corpora_.push_back(line.Corpus);
      records_.push_back({line.Number, owner, line.City, line.Street, line.House, corpus->second, line.Flat});
    }
  }
}

std::string_view TGeneratedDirectory::CellText(uint32_t key, int column, std::string& scratch) const {
  if (key >= records_.size()) return {};
  const TRecord& record = records_[key];
  switch (column) {
    case 0: scratch = std::to_string(record.Number); return scratch;
    case 1: return owners_[record.Owner];
    case 2: return cities_[record.City];
    case 3: return streets_[record.Street];
    case 4: scratch = std::to_string(record.House); return scratch;
    case 5: return corpora_[record.Corpus];
    case 6: scratch = std::to_string(record.Flat); return scratch;
    default: return {};
  }
}
