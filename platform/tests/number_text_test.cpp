// Numbers as text in a comma-decimal locale: written and read with decimal points, on every
// thread, without changing the locale that the rest of the thread uses.
#include "platform/number_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>
#include <thread>

#include "comma_locale.h"

namespace platform {
namespace {

class NumberTextTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { commaLocale_ = tripdesk::test::UseCommaDecimalLocale(); }
    void SetUp() override { ASSERT_TRUE(commaLocale_) << "run scripts/bootstrap to generate the locale"; }

    static std::string CLibrary(double value) {
        char text[32];
        std::snprintf(text, sizeof text, "%.2f", value);
        return text;
    }

    static inline bool commaLocale_ = false;
};

TEST_F(NumberTextTest, FormattingWritesDecimalPointsAndLeavesTheLocaleAlone) {
    EXPECT_EQ(FormatText("seek %.2f 2", 1.5), "seek 1.50 2");
    EXPECT_EQ(FormatText("%.2f|%05.1f|%.6f|%.1f", -0.25, 12.34, 37.5, 1e6), "-0.25|012.3|37.500000|1000000.0");
    EXPECT_EQ(FormatText("%d %u %02X %s", -7, 4000000000u, 10, "text"), "-7 4000000000 0A text");
    EXPECT_EQ(CLibrary(1.5), "1,50");   // the thread's own locale is back after each call

    const std::string longText(300, 'x');
    EXPECT_EQ(FormatText("%s %.1f", longText.c_str(), 0.5), longText + " 0.5");

    std::string onOtherThread;
    std::thread([&] { onOtherThread = FormatText("%.3f", 2.0625); }).join();
    EXPECT_EQ(onOtherThread, "2.062");   // halves round to even, as printf does
}

TEST_F(NumberTextTest, IntegersAreWrittenAsPlainDigits) {
    EXPECT_EQ(IntegerText(0), "0");
    EXPECT_EQ(IntegerText(1234567), "1234567");
    EXPECT_EQ(IntegerText(INT_MIN), "-2147483648");
    EXPECT_EQ(IntegerText(18446744073709551615ull), "18446744073709551615");
}

TEST_F(NumberTextTest, WholeTextsAreReadStrictly) {
    EXPECT_EQ(ParseDecimal("1.5"), 1.5);
    EXPECT_EQ(ParseDecimal("-0.25"), -0.25);
    EXPECT_EQ(ParseDecimal("+3"), 3.0);
    EXPECT_EQ(ParseDecimal("1e3"), 1000.0);
    for (const char* refused : {"1,5", "", "+", "+-3", "1.5 ", " 1.5", "inf", "nan", "0x10", "1e999", "seek"})
        EXPECT_EQ(ParseDecimal(refused), std::nullopt) << refused;

    EXPECT_EQ(ParseInteger<int>("-42"), -42);
    EXPECT_EQ(ParseInteger<std::uint32_t>("ff", 16), 255u);
    for (const char* refused : {"", "+1", "12x", "1.0", "2147483648", " 7"})
        EXPECT_EQ(ParseInteger<int>(refused), std::nullopt) << refused;
}

TEST_F(NumberTextTest, LeadingNumbersAreReadTheWayAtoiAndAtofReadThemInTheCLocale) {
    EXPECT_EQ(ParseLeadingDouble("  12.75km"), 12.75);
    EXPECT_EQ(ParseLeadingDouble("1,5"), 1.0);   // a comma ends the number
    EXPECT_EQ(ParseLeadingDouble("-.5"), -0.5);
    EXPECT_EQ(ParseLeadingDouble("knots"), 0.0);
    EXPECT_EQ(ParseLeadingDouble("1e999"), 0.0);
    EXPECT_EQ(ParseLeadingInt(" -17?"), -17);
    EXPECT_EQ(ParseLeadingInt("99999999999"), INT_MAX);
    EXPECT_EQ(ParseLeadingInt("-99999999999"), INT_MIN);
    EXPECT_EQ(ParseLeadingInt("x1"), 0);
}

} // namespace
} // namespace platform
