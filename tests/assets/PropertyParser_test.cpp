#include "assets/PropertyParser.hpp"

#include <gtest/gtest.h>

namespace {

TEST(PropertyParserTest, NumbersTakeTheLeadingNumberAndRejectWhatIsNotOne) {
    EXPECT_EQ(PropertyParser::number("12.5"), 12.5f);
    EXPECT_EQ(PropertyParser::number("  -3abc"), -3.0f);
    EXPECT_EQ(PropertyParser::number("1e3"), 1000.0f);
    EXPECT_FALSE(PropertyParser::number(""));
    EXPECT_FALSE(PropertyParser::number("heavy"));
    EXPECT_FALSE(PropertyParser::number("1e999")) << "out of float range";
    EXPECT_FALSE(PropertyParser::number("nan"));
    EXPECT_FALSE(PropertyParser::number("inf"));
}

TEST(PropertyParserTest, IntegersAreDecimalAndMustFitAnInt) {
    EXPECT_EQ(PropertyParser::integer("42px"), 42);
    EXPECT_EQ(PropertyParser::integer(" -7"), -7);
    EXPECT_EQ(PropertyParser::integer("12.9"), 12);
    EXPECT_EQ(PropertyParser::integer("2147483647"), 2147483647);
    EXPECT_FALSE(PropertyParser::integer("2147483648"));
    EXPECT_FALSE(PropertyParser::integer("99999999999999999999"));
    EXPECT_FALSE(PropertyParser::integer("big"));
}

TEST(PropertyParserTest, PairsSplitAtTheFirstCommaAndOneNumberServesForBoth) {
    EXPECT_EQ(PropertyParser::pair("1.5,-2"), sf::Vector2f(1.5f, -2.0f));
    EXPECT_EQ(PropertyParser::pair("5"), sf::Vector2f(5.0f, 5.0f));
    EXPECT_EQ(PropertyParser::pair("1,2,3"), sf::Vector2f(1.0f, 2.0f));
    EXPECT_FALSE(PropertyParser::pair("1,"));
    EXPECT_FALSE(PropertyParser::pair(",1"));
    EXPECT_FALSE(PropertyParser::pair("fast"));
}

TEST(PropertyParserTest, ColoursIgnoreTheAlphaPairAndAreAlwaysOpaque) {
    EXPECT_EQ(PropertyParser::colour("#ff102030"), sf::Color(16, 32, 48, 255));
    EXPECT_EQ(PropertyParser::colour("#00102030"), sf::Color(16, 32, 48, 255));
    EXPECT_EQ(PropertyParser::colour("#102030"), sf::Color(16, 32, 48, 255))
        << "Tiled writes opaque colours without the alpha pair";
    EXPECT_EQ(PropertyParser::colour("#FFAABBCC"), sf::Color(0xAA, 0xBB, 0xCC, 255));
}

TEST(PropertyParserTest, MalformedColoursGiveNothing) {
    EXPECT_FALSE(PropertyParser::colour(""));
    EXPECT_FALSE(PropertyParser::colour("#ff10203")) << "one digit short of a full colour";
    EXPECT_FALSE(PropertyParser::colour("#ff10"));
    EXPECT_FALSE(PropertyParser::colour("ff102030"));
    EXPECT_FALSE(PropertyParser::colour("#ffzz2030"));
    EXPECT_FALSE(PropertyParser::colour("#ff-12030"));
}

}  // namespace
