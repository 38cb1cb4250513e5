#pragma once
// A synthetic directory shaped like a real city's, the same for the same seed: the
// one source of generated names for the data tool, the benchmarks and the tests.
//
// By default: 50 cities of which the largest holds about 22 % of the lines and the
// rest tail off by population, 3,000 streets shared out by size, about 2.5 lines per
// subscriber, full names of about 25 characters with the gender forms in agreement,
// some companies, sole traders and institutions, a corpus on about 15 % of lines, and
// numbers of 7 digits (about 70 %, unique within their city) or 10 (unique).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct TSyntheticShape {
  int Cities = 50;  // at most SyntheticCityCount()
  int Streets = 3000;
  int CorpusPercent = 15;
  int SevenDigitPercent = 70;
  // A city's seven-digit numbers start at 2000000; once its range is used up, its
  // lines take ten-digit numbers from 9000000000 on, and once those are, eleven-digit
  // ones from 10000000000 on, so that any number of lines gets its numbers.
  int64_t CityNumbers = 8'000'000;
  int64_t MobileNumbers = 1'000'000'000;
};

int SyntheticCityCount();

// Texts are Windows-1251.
struct TSyntheticLine {
  int64_t Number = 0;
  uint16_t City = 0;  // index into Cities()
  uint16_t Street = 0;
  uint16_t House = 0;
  uint16_t Flat = 0;
  std::string Corpus;
};

struct TSyntheticSubscriber {
  std::string Name;
  std::vector<TSyntheticLine> Lines;  // one address, at least one line
};

class TSyntheticDirectory {
 public:
  // Throws std::invalid_argument for a shape outside its bounds.
  explicit TSyntheticDirectory(uint32_t seed, const TSyntheticShape& shape = {});
  ~TSyntheticDirectory();
  TSyntheticDirectory(const TSyntheticDirectory&) = delete;
  TSyntheticDirectory& operator=(const TSyntheticDirectory&) = delete;

  // Element 0 is the empty name, as in a loaded directory.
  const std::vector<std::string>& Cities() const;
  const std::vector<std::string>& Streets() const;
  // The next subscriber, with at most maxLines lines (at least 1); valid until the next call.
  const TSyntheticSubscriber& NextSubscriber(int maxLines);

 private:
  class TGenerator;
  std::unique_ptr<TGenerator> generator_;
};
