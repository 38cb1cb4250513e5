#include <gtest/gtest.h>

#include "data/TextServices.h"
#include "search/Search.h"
#include "tests/support/Cp1251Literal.h"

TEST(SearchCriteria, TextsAreTrimmedAndLowerCasedButThePhoneIsTakenAsTyped) {
  TSearchInputs inputs;
  inputs.Phone = " 45 ";
  inputs.Owner = Cp("\t ИВАН  ");
  inputs.Corpus = Cp(" К1");
  const SearchCriteria criteria = MakeSearchCriteria(inputs);
  EXPECT_EQ(criteria.Phone, " 45 ");
  EXPECT_EQ(criteria.Owner, Cp("иван"));
  EXPECT_EQ(criteria.Corpus, Cp("к1"));
  EXPECT_FALSE(criteria.RegExpr);
}

TEST(SearchCriteria, BlankTextsLeaveTheirCriteriaInactive) {
  TSearchInputs inputs;
  inputs.Owner = "  \t";
  inputs.Corpus = " ";
  const SearchCriteria criteria = MakeSearchCriteria(inputs);
  EXPECT_TRUE(criteria.Owner.empty());
  EXPECT_TRUE(criteria.Corpus.empty());
  EXPECT_TRUE(criteria.Phone.empty());
  EXPECT_FALSE(criteria.House.has_value());
  EXPECT_FALSE(criteria.Flat.has_value());
  EXPECT_FALSE(criteria.Cities.has_value());
  EXPECT_FALSE(criteria.Streets.has_value());
}

TEST(SearchCriteria, HouseAndFlatAreReadAsNumbers) {
  TSearchInputs inputs;
  inputs.House = "00012";
  inputs.Flat = "0";
  const SearchCriteria criteria = MakeSearchCriteria(inputs);
  EXPECT_EQ(criteria.House, 12);
  EXPECT_EQ(criteria.Flat, 0);
  inputs.House = "12 ";
  EXPECT_THROW(MakeSearchCriteria(inputs), EConvertError);
}

TEST(SearchCriteria, CityAndStreetHoldEveryIndexOfTheSelectedName) {
  TSearchInputs inputs;
  inputs.CityIndices = {3, 70, 65535, 65536, -1};
  inputs.StreetIndices = {0};
  const SearchCriteria criteria = MakeSearchCriteria(inputs);
  ASSERT_TRUE(criteria.Cities.has_value());
  EXPECT_TRUE(criteria.Cities->Contains(3));
  EXPECT_TRUE(criteria.Cities->Contains(70));
  EXPECT_TRUE(criteria.Cities->Contains(65535));
  EXPECT_FALSE(criteria.Cities->Contains(0));
  EXPECT_FALSE(criteria.Cities->Contains(4));
  EXPECT_FALSE(criteria.Streets.has_value()) << "the empty entry clears the criterion";
  inputs.CityIndices = {5, 0};
  EXPECT_FALSE(MakeSearchCriteria(inputs).Cities.has_value());
}

TEST(PhoneTailMatches, TheNumberMustEndWithTheDigits) {
  EXPECT_TRUE(PhoneTailMatches("23", "4523"));
  EXPECT_TRUE(PhoneTailMatches("23", "23"));
  EXPECT_FALSE(PhoneTailMatches("23", "2345"));
  EXPECT_TRUE(PhoneTailMatches("45", "4545")) << "a tail that also occurs earlier still counts";
  EXPECT_TRUE(PhoneTailMatches("45", "12345"));
  EXPECT_TRUE(PhoneTailMatches("45", "45"));
  EXPECT_FALSE(PhoneTailMatches("45", "4512"));
  EXPECT_FALSE(PhoneTailMatches("345", "45"));
  EXPECT_TRUE(PhoneTailMatches("5", "-5"));
}
