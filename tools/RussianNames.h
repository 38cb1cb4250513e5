#pragma once
// Word lists of the synthetic directory, as UTF-8 source text.

#include <span>
#include <string_view>

struct TPatronymic {
  std::string_view Male;
  std::string_view Female;
};

std::span<const std::string_view> CityNames();  // largest first
std::span<const std::string_view> StreetNames();
std::span<const std::string_view> StreetKinds();
// Masculine forms; the feminine form follows from the ending.
std::span<const std::string_view> Surnames();
std::span<const std::string_view> MaleFirstNames();
std::span<const std::string_view> FemaleFirstNames();
std::span<const TPatronymic> Patronymics();
std::span<const std::string_view> CompanyForms();
std::span<const std::string_view> CompanyNameStarts();
std::span<const std::string_view> CompanyNameEnds();
std::span<const std::string_view> Institutions();  // followed by " №" and a number
std::span<const std::string_view> CorpusTexts();
