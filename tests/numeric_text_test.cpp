#include "model/numeric_text.h"

#include "model/item_file.h"

#include <gtest/gtest.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

TEST(ReadNumber, ReadsTheLeadingNumberAndIgnoresBlanksTabsAndLineFeeds) {
    EXPECT_EQ(ReadNumber(u"12abc"), 12);
    EXPECT_EQ(ReadNumber(u"1 2"), 12);
    EXPECT_EQ(ReadNumber(u"\t-1\n5"), -15);
    EXPECT_EQ(ReadNumber(u"1e3"), 1000);
    EXPECT_EQ(ReadNumber(u"2.5D2"), 250);
    EXPECT_EQ(ReadNumber(u"1.5e-1x"), 0.15);
    EXPECT_EQ(ReadNumber(u".5"), 0.5);
    EXPECT_EQ(ReadNumber(u"+7"), 7);
    EXPECT_EQ(ReadNumber(u"3e"), 3);  // an exponent without digits is not part of the number
    EXPECT_EQ(ReadNumber(u"1.2.3"), 1.2);
}

TEST(ReadNumber, TextsWithoutALeadingNumberReadZero) {
    EXPECT_EQ(ReadNumber(u"abc"), 0);
    EXPECT_EQ(ReadNumber(u""), 0);
    EXPECT_EQ(ReadNumber(u"-"), 0);
    EXPECT_EQ(ReadNumber(u"."), 0);
    EXPECT_EQ(ReadNumber(u"ー1"), 0);  // a full-width dash is no sign
}

TEST(ReadNumber, HexadecimalAndOctalIntegers) {
    EXPECT_EQ(ReadNumber(u"&HFF"), 255);
    EXPECT_EQ(ReadNumber(u"&hff"), 255);
    EXPECT_EQ(ReadNumber(u"&O17"), 15);
    EXPECT_EQ(ReadNumber(u"&H"), 0);
    EXPECT_EQ(ReadNumber(u"&O19"), 1);  // 9 is no octal digit
}

TEST(ReadNumber, HugeMagnitudesBecomeInfinite) {
    EXPECT_EQ(ReadNumber(u"1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ReadNumber(u"1e-400"), 0);
}

TEST(ParseWholeNumber, AcceptsOnlyOneCompleteNumber) {
    double v = -1;
    EXPECT_TRUE(ParseWholeNumber("141.42135623731", 15, v));
    EXPECT_EQ(v, 141.42135623731);
    EXPECT_TRUE(ParseWholeNumber("-12", 3, v));
    EXPECT_EQ(v, -12);
    EXPECT_TRUE(ParseWholeNumber(".5", 2, v));
    EXPECT_EQ(v, 0.5);
    EXPECT_TRUE(ParseWholeNumber("1E+16", 5, v));
    EXPECT_EQ(v, 1e16);
    EXPECT_FALSE(ParseWholeNumber("12abc", 5, v));
    EXPECT_FALSE(ParseWholeNumber("", 0, v));
    EXPECT_FALSE(ParseWholeNumber("-", 1, v));
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(12.5), 12);
    EXPECT_EQ(RoundHalfEven(13.5), 14);
    EXPECT_EQ(RoundHalfEven(2.6), 3);
    EXPECT_EQ(RoundHalfEven(250.5), 250);
}

TEST(FormatNumber, IntegersPlainOthersWithFifteenDigits) {
    EXPECT_EQ(FormatNumber(7), "7");
    EXPECT_EQ(FormatNumber(-12), "-12");
    EXPECT_EQ(FormatNumber(0), "0");
    EXPECT_EQ(FormatNumber(-0.0), "0");
    EXPECT_EQ(FormatNumber(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(FormatNumber(-12.5), "-12.5");
    EXPECT_EQ(FormatNumber(141.42135623731), "141.42135623731");
    EXPECT_EQ(FormatNumber(0.1 + 0.2), "0.3");
    EXPECT_EQ(FormatNumber(123456789012345.0), "123456789012345");
}

TEST(FormatNumber, VeryLargeAndVerySmallMagnitudesUseTheExponentForm) {
    EXPECT_EQ(FormatNumber(1e20), "1E+20");
    EXPECT_EQ(FormatNumber(1e16), "1E+16");
    EXPECT_EQ(FormatNumber(-2.5e-7), "-2.5E-07");
    EXPECT_EQ(FormatNumber(1e-5), "1E-05");
    EXPECT_EQ(FormatNumber(1e-4), "0.0001");
    EXPECT_EQ(FormatNumber(1.5e300), "1.5E+300");
}

TEST(FormatNumber, WhatItWritesReadsBackToTheSameFifteenDigits) {
    for (double v : {3.14159265358979, -0.000123456789, 98765.4321, 6.02214076e23}) {
        const QString text = FormatNumber(v);
        EXPECT_EQ(FormatNumber(ReadNumber(text)), text);
    }
}

TEST(FormatSingle, GeneralFormatWithSevenDigits) {
    EXPECT_EQ(FormatSingle(1234.5f), "1234.5");
    EXPECT_EQ(FormatSingle(20.0f), "20");
    EXPECT_EQ(FormatSingle(-0.1f), "-0.1");
    EXPECT_EQ(FormatSingle(0.0f), "0");
    EXPECT_EQ(FormatSingle(1.0f / 3.0f), "0.3333333");
}

namespace {

QString AsTheLibraryWrites(double v) {
    char expected[40];
    if (std::fabs(v) < 1e15 && v == std::trunc(v))
        std::snprintf(expected, sizeof expected, "%.0f", v == 0 ? 0.0 : v);
    else
        std::snprintf(expected, sizeof expected, "%.15G", v);
    return QString::fromLatin1(expected);
}

}  // namespace

// Where the 15-digit rounding is hardest: exact ties at the 16th digit, the neighbours of every
// power of ten in the quick range and of its ends, and values that round up to the next power.
TEST(NumberConversions, TiesAndPowersOfTenAgreeWithTheCLibrary) {
    std::vector<double> values = {12345678901234.25,  100000000000000.5,    999999999999999.5,
                                  0.1234567890123455, 9.999999999999995e-5, 99999.99999999999,
                                  999999999999999.9,  1.0000000000000005};
    for (int e = -9; e <= 15; ++e) {
        const double power = std::pow(10.0, e);
        for (double p : {power, power * 3, power * 5})
            for (double v : {std::nextafter(p, 0.0), p, std::nextafter(p, 1e300)}) {
                values.push_back(v);
                values.push_back(std::nextafter(std::nextafter(v, 0.0), 0.0));
            }
    }
    for (const double v : values) {
        ASSERT_EQ(FormatNumber(v), AsTheLibraryWrites(v)) << std::to_string(v);
        ASSERT_EQ(FormatNumber(-v), AsTheLibraryWrites(-v)) << std::to_string(v);
    }
}

// The quick conversions against the C library on many values of every magnitude: numbers are
// written as "%.15G" writes them (integers below 1E+15 plain), and whole file items read as
// strtod reads them.
TEST(NumberConversions, AgreeWithTheCLibraryAcrossMagnitudes) {
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-30, 30), digits(1, 17);
    for (int i = 0; i < 20000; ++i) {
        double v = mantissa(random) * std::pow(10.0, exponent(random));
        // Every other value with few digits, as coordinates and results mostly have.
        if (i % 2 == 0) {
            char shortText[40];
            std::snprintf(shortText, sizeof shortText, "%.*g", digits(random), v);
            v = std::strtod(shortText, nullptr);
        }
        ASSERT_EQ(FormatNumber(v), AsTheLibraryWrites(v)) << std::to_string(v);

        char text[40];
        const int n = std::snprintf(text, sizeof text, "%.*g", digits(random), v);
        double read = 0;
        ASSERT_TRUE(ParseWholeNumber(text, static_cast<std::size_t>(n), read)) << text;
        ASSERT_EQ(read, std::strtod(text, nullptr)) << text;
        // The same as a file item, with more items after it and as the file's last.
        for (const char* after : {",0,0,0,0,0,0,0,0,0,0,0,0\r\n", "\r\n", ""}) {
            ItemReader in(QByteArray(text) + after);
            read = 0;
            ASSERT_TRUE(in.ReadDouble(read)) << text;
            ASSERT_EQ(read, std::strtod(text, nullptr)) << text;
        }
    }
}
