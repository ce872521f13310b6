#include "number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace kviltora {
namespace {

struct ParseCase {
  const char* text;
  double value;
};

class ParseLeadingNumberTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseLeadingNumberTest, ReadsTheLeadingNumber) {
  EXPECT_EQ(ParseLeadingNumber(GetParam().text), GetParam().value) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseLeadingNumberTest,
    testing::Values(ParseCase{"0.45", 0.45}, ParseCase{"3.75", 3.75}, ParseCase{"-0.25", -0.25},
                    ParseCase{"+0.5", 0.5}, ParseCase{"1", 1}, ParseCase{"0,45", 0},
                    ParseCase{"букви", 0}, ParseCase{"abc", 0}, ParseCase{"", 0},
                    ParseCase{"  0.5", 0.5}, ParseCase{"\t 0.5", 0.5}, ParseCase{"0.5abc", 0.5},
                    ParseCase{"1.2E-05", 0.000012}, ParseCase{"1.2e-05", 0.000012},
                    ParseCase{"1E+15", 1e15}, ParseCase{".5", 0.5}, ParseCase{"5.", 5},
                    ParseCase{"1E", 1}, ParseCase{"1E+", 1}, ParseCase{"2e3x", 2000},
                    ParseCase{"- 0.5", 0}, ParseCase{"1 000", 1}, ParseCase{"-", 0},
                    ParseCase{".", 0}, ParseCase{"-.", 0}, ParseCase{"inf", 0}, ParseCase{"nan", 0},
                    ParseCase{"0x1p3", 0}, ParseCase{"1E-400", 0}, ParseCase{"-1E-400", 0},
                    ParseCase{"0.000000001E-320", 0},
                    ParseCase{"1.7976931348623157E308", 1.7976931348623157e308}));

TEST(ParseLeadingNumber, ReportsOverflowInsteadOfInfinity) {
  // FormatGeneral writes the largest double, rounded to 15 digits, as "1.79769313486232E+308".
  for (const char* text :
       {"1E999", "-2E308", "1.8E308", "1.79769313486232E+308", "1E99999999999999999999999",
        "100000000000000000000000000000000000000000000000000000000000"
        "0000000000000000000000000000000000000000000000000000000000000"
        "0000000000000000000000000000000000000000000000000000000000000"
        "0000000000000000000000000000000000000000000000000000000000000"
        "0000000000000000000000000000000000000000000000000000000000000"
        "000000000000000000000000000000000000000000000000000000000000"}) {
    EXPECT_THROW(ParseLeadingNumber(text), NumberOverflow) << text;
  }
}

TEST(ParseLeadingNumber, ReadsTheNegativeZeroAsZero) {
  for (const char* text : {"-0", "-0.0", "-.0E5", "-1E-400"}) {
    EXPECT_EQ(ParseLeadingNumber(text), 0.0) << text;
    EXPECT_FALSE(std::signbit(ParseLeadingNumber(text))) << text;
  }
}

struct GeneralCase {
  double value;
  const char* text;
};

class FormatGeneralTest : public testing::TestWithParam<GeneralCase> {};

TEST_P(FormatGeneralTest, WritesFifteenSignificantDigits) {
  EXPECT_EQ(FormatGeneral(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormatGeneralTest,
    testing::Values(GeneralCase{0, "0"}, GeneralCase{-0.0, "0"}, GeneralCase{0.45, "0.45"},
                    GeneralCase{2 * 0.45, "0.9"}, GeneralCase{1, "1"}, GeneralCase{1.8, "1.8"},
                    GeneralCase{0.8000000000000007105, "0.800000000000001"},
                    GeneralCase{1.0 / 3, "0.333333333333333"}, GeneralCase{-0.25, "-0.25"},
                    GeneralCase{0.0001, "0.0001"}, GeneralCase{0.00001, "1E-05"},
                    GeneralCase{0.000012, "1.2E-05"}, GeneralCase{0.000099, "9.9E-05"},
                    GeneralCase{1e-100, "1E-100"}, GeneralCase{0.00009999999999999999, "0.0001"},
                    GeneralCase{123456789012345, "123456789012345"}, GeneralCase{1e15, "1E+15"},
                    GeneralCase{999999999999999.9, "1E+15"}, GeneralCase{-1.5e20, "-1.5E+20"},
                    GeneralCase{100, "100"}, GeneralCase{0.999999, "0.999999"}));

TEST(FormatGeneral, ReadsBackToTheSameFifteenDigitValue) {
  std::mt19937_64 generator(7);
  std::uniform_real_distribution<double> mantissa(1, 10);
  std::uniform_int_distribution<int> exponent(-300, 300);
  for (int i = 0; i < 5000; ++i) {
    const double x = mantissa(generator) * std::pow(10.0, exponent(generator));
    const std::string text = FormatGeneral(x);
    EXPECT_EQ(FormatGeneral(ParseLeadingNumber(text)), text);
    EXPECT_LE(std::fabs(ParseLeadingNumber(text) - x), std::fabs(x) * 1e-14) << text;
  }
}

struct FixedCase {
  double value;
  std::int16_t decimals;
  const char* text;
};

// Without it gtest writes the case as raw bytes, padding included, which
// valgrind rightly reports as a read of uninitialised memory.
void PrintTo(const FixedCase& c, std::ostream* out) {
  *out << c.value << " with " << c.decimals << " decimals";
}

class FormatFixedTest : public testing::TestWithParam<FixedCase> {};

TEST_P(FormatFixedTest, WritesExactlyTheRequestedDecimals) {
  EXPECT_EQ(FormatFixed(GetParam().value, GetParam().decimals), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormatFixedTest,
    testing::Values(FixedCase{0.25, 8, "0.25000000"}, FixedCase{0, 8, "0.00000000"},
                    FixedCase{0.44921875, 8, "0.44921875"}, FixedCase{0.0625, 4, "0.0625"},
                    // Exact ties round away from zero.
                    FixedCase{0.00390625, 7, "0.0039063"}, FixedCase{0.44921875, 7, "0.4492188"},
                    FixedCase{0.5, 0, "1"}, FixedCase{0.25, 1, "0.3"}, FixedCase{0.125, 2, "0.13"},
                    // The double's exact value decides, not its short decimal text.
                    FixedCase{0.3, 20, "0.29999999999999998890"}, FixedCase{0.45, 1, "0.5"},
                    FixedCase{0.2, 0, "0"}, FixedCase{1, 3, "1.000"},
                    // Rounding carries into the integer part, and out of its first digit.
                    FixedCase{0.9999, 2, "1.00"}, FixedCase{9.999, 2, "10.00"},
                    FixedCase{0, -1, "0.00"}, FixedCase{0.375, -1, "0.38"},
                    FixedCase{-0.5, 1, "-0.5"}, FixedCase{-0.001, 2, "0.00"},
                    FixedCase{0.0000000298023223876953125, 24, "0.000000029802322387695313"}));

// No double has more than 1074 decimals; past them the text goes on in zeros.
TEST(FormatFixed, WritesEveryRequestedDecimalBeyondTheExactValue) {
  for (std::int16_t decimals : {1074, 1080, 1081, 1100, 32767}) {
    const std::size_t zeros = static_cast<std::size_t>(decimals) - 2;
    EXPECT_EQ(FormatFixed(-0.25, decimals), "-0.25" + std::string(zeros, '0')) << decimals;
  }
}

struct CounterCase {
  std::int16_t counter;
  const char* item;
  bool below;
};

void PrintTo(const CounterCase& c, std::ostream* out) {
  *out << c.counter << " against \"" << c.item << '"';
}

class CounterBelowTest : public testing::TestWithParam<CounterCase> {};

TEST_P(CounterBelowTest, ComparesAsNumbers) {
  EXPECT_EQ(CounterBelow(GetParam().counter, GetParam().item), GetParam().below);
}

INSTANTIATE_TEST_SUITE_P(Table, CounterBelowTest,
                         testing::Values(CounterCase{9, "10", true}, CounterCase{10, "10", false},
                                         CounterCase{4, "5", true}, CounterCase{5, "5", false},
                                         CounterCase{25, "26", true}, CounterCase{1, "", false}));

TEST(Int, IsTheGreatestWholeNumberNotAbove) {
  EXPECT_EQ(Int(1.8), 1);
  EXPECT_EQ(Int(0.9), 0);
  EXPECT_EQ(Int(3), 3);
  EXPECT_EQ(Int(-0.5), -1);
}

}  // namespace
}  // namespace kviltora
