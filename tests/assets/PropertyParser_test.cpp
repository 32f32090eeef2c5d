#include "assets/PropertyParser.hpp"

#include <gtest/gtest.h>

namespace {

// Map properties are typed by hand in the editor: each conversion takes the value at the start
// of the text, as the number-reading functions would.
TEST(PropertyParserTest, ValuesAreTakenFromTheStartOfTheText) {
    EXPECT_EQ(PropertyParser::number("  -3abc"), -3.0f);
    EXPECT_EQ(PropertyParser::number("1e3"), 1000.0f);
    EXPECT_EQ(PropertyParser::integer(" -7"), -7);
    EXPECT_EQ(PropertyParser::integer("12.9"), 12);
    EXPECT_EQ(PropertyParser::integer("2147483647"), 2147483647);
    // Split at the first comma; one number serves for both.
    EXPECT_EQ(PropertyParser::pair("5"), sf::Vector2f(5.0f, 5.0f));
    EXPECT_EQ(PropertyParser::pair("1,2,3"), sf::Vector2f(1.0f, 2.0f));
    // Tiled writes "#aarrggbb", or "#rrggbb" when opaque; map colours are always drawn opaque.
    EXPECT_EQ(PropertyParser::colour("#00102030"), sf::Color(16, 32, 48));
    EXPECT_EQ(PropertyParser::colour("#102030"), sf::Color(16, 32, 48));
    EXPECT_EQ(PropertyParser::colour("#FFAABBCC"), sf::Color(0xAA, 0xBB, 0xCC));
}

// Nothing, so that the object can report the property and fall back to its default.
TEST(PropertyParserTest, WhatIsNoUsableValueGivesNothing) {
    for (const char* text : {"", "heavy", "1e999", "nan", "inf"}) {
        EXPECT_FALSE(PropertyParser::number(text)) << text;
    }
    for (const char* text : {"2147483648", "99999999999999999999", "big"}) {
        EXPECT_FALSE(PropertyParser::integer(text)) << text;
    }
    for (const char* text : {"1,", ",1", "fast"}) {
        EXPECT_FALSE(PropertyParser::pair(text)) << text;
    }
    for (const char* text : {"", "#ff10203", "#ff10", "ff102030", "#ffzz2030", "#ff-12030"}) {
        EXPECT_FALSE(PropertyParser::colour(text)) << text;
    }
}

}  // namespace
