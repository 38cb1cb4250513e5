#include "search/ForgivingScan.h"

#include <algorithm>

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
  for (size_t r = 0; r < readings.size(); ++r) {
    if (CancelSeen(cancel)) return false;
    if (byOwner) texts[r].Owners = TextsMatchingForgivingly(directory.Owners, TForgivingPattern(readings[r].Owner));
    if (byCorpus) texts[r].Corpora = TextsMatchingForgivingly(corpusTexts, TForgivingPattern(readings[r].Corpus));
  }
  // A reading that accepts no text (mostly the other layout's) finds no record and
  // is left out, so that with one reading left every record found is its own.
  const auto any = [](const std::vector<uint64_t>& bits) {
    return std::any_of(bits.begin(), bits.end(), [](uint64_t word) { return word != 0; });
  };
  std::vector<size_t> live;
  for (size_t r = 0; r < readings.size(); ++r) {
    if ((!byOwner || any(texts[r].Owners)) && (!byCorpus || any(texts[r].Corpora))) live.push_back(r);
  }
  std::vector<uint64_t> anyOwner;
  std::vector<uint64_t> anyCorpus;
  if (live.size() == 1) {
    // Its texts are not needed apart any more.
    anyOwner = std::move(texts[live[0]].Owners);
    anyCorpus = std::move(texts[live[0]].Corpora);
  } else {
    anyOwner.assign((directory.Owners.size() + 63) / 64, 0);
    anyCorpus.assign((corpusTexts.size() + 63) / 64, 0);
    for (const size_t r : live) {
      if (byOwner) Unite(anyOwner, texts[r].Owners);
      if (byCorpus) Unite(anyCorpus, texts[r].Corpora);
    }
  }
  // One scan for what any reading accepts; the few records it finds are then told
  // apart by reading.
  const TPhoneScan scan(directory, first, std::move(anyOwner),
                        byCorpus ? std::optional(std::move(anyCorpus)) : std::nullopt);
  const auto count = static_cast<int32_t>(directory.Phones.size());
  if (live.size() <= 1) {
    const uint32_t found = live.empty() ? 0 : uint32_t{1} << live[0];
    return ScanPhoneBlocks(
        scan, count, [&](int32_t i) { onResult(i, found); }, onProgress, cancel);
  }
  const int32_t* owners = directory.Phones.OwnerColumn().data();
  const uint32_t* corpora = directory.Phones.CorpusColumn().data();
  const auto byReadings = [&](int32_t i) {
    uint32_t found = 0;
    for (const size_t r : live) {
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
