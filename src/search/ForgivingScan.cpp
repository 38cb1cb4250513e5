#include "search/ForgivingScan.h"

#include "data/TextServices.h"
#include "search/Forgiving.h"
#include "search/LatinLayout.h"
#include "search/PhoneScan.h"
#include "search/TextsContaining.h"

namespace {

// The owners and corpus texts that one reading accepts.
struct TReadingTexts {
  std::vector<uint64_t> Owners;
  std::vector<uint64_t> Corpora;
};

void Unite(std::vector<uint64_t>& into, const std::vector<uint64_t>& bits) {
  if (into.empty()) into.resize(bits.size(), 0);
  for (size_t w = 0; w < bits.size(); ++w) into[w] |= bits[w];
}

}  // namespace

bool ScanForgiving(const TDirectory& directory, std::span<const SearchCriteria> readings,
                   const std::function<void(int32_t, uint32_t)>& onResult,
                   const std::function<void(int32_t)>& onProgress, const TSearchCancel* cancel) {
  const SearchCriteria& first = readings.front();
  const bool byOwner = !first.Owner.empty();
  const bool byCorpus = !first.Corpus.empty();
  const TTextTable& corpusTexts = directory.Phones.CorpusTexts();
  std::vector<TReadingTexts> texts(readings.size());
  std::vector<uint64_t> anyOwner;
  std::vector<uint64_t> anyCorpus;
  for (size_t r = 0; r < readings.size(); ++r) {
    if (CancelSeen(cancel)) return false;
    if (byOwner) {
      texts[r].Owners = TextsMatchingForgivingly(directory.Owners, TForgivingPattern(readings[r].Owner));
      Unite(anyOwner, texts[r].Owners);
    }
    if (byCorpus) {
      texts[r].Corpora = TextsMatchingForgivingly(corpusTexts, TForgivingPattern(readings[r].Corpus));
      Unite(anyCorpus, texts[r].Corpora);
    }
  }
  // One scan for what any reading accepts; the few records it finds are then told
  // apart by reading.
  const TPhoneScan scan(directory, first, std::move(anyOwner),
                        byCorpus ? std::optional(std::move(anyCorpus)) : std::nullopt);
  const auto count = static_cast<int32_t>(directory.Phones.size());
  if (readings.size() == 1) {
    return ScanPhoneBlocks(
        scan, count, [&](int32_t i) { onResult(i, 1); }, onProgress, cancel);
  }
  const int32_t* owners = directory.Phones.OwnerColumn().data();
  const uint32_t* corpora = directory.Phones.CorpusColumn().data();
  const auto byReadings = [&](int32_t i) {
    uint32_t found = 0;
    for (size_t r = 0; r < readings.size(); ++r) {
      const bool owner = !byOwner || BitSet(texts[r].Owners, static_cast<size_t>(owners[i]));
      const bool corpus = !byCorpus || BitSet(texts[r].Corpora, corpora[i]);
      found |= static_cast<uint32_t>(owner && corpus) << r;
    }
    onResult(i, found);
  };
  return ScanPhoneBlocks(scan, count, byReadings, onProgress, cancel);
}

std::optional<SearchCriteria> LatinLayoutReading(const SearchCriteria& criteria) {
  if (!HasLatinLetters(criteria.Owner) && !HasLatinLetters(criteria.Corpus)) return std::nullopt;
  SearchCriteria russian = criteria;
  for (std::string* text : {&russian.Owner, &russian.Corpus}) {
    if (HasLatinLetters(*text)) *text = LowerText(RussianLayoutText(*text));
  }
  return russian;
}
