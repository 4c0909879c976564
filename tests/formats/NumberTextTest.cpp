#include <gtest/gtest.h>

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "formats/NumberText.h"

using namespace kv;

namespace {

uint64_t Bits(double d) {
    uint64_t b;
    std::memcpy(&b, &d, sizeof b);
    return b;
}

// What "%lf %lf" gives for the text, by the C library and by ScanDoubles.
void ExpectSameAsScanf(const std::string& text) {
    double a = -7.0, b = -7.0;
    int r = std::sscanf(text.c_str(), "%lf %lf", &a, &b);
    if (r < 0) r = 0;
    double v[2] = {-7.0, -7.0};
    int n = ScanDoubles(text.data(), text.data() + text.size(), v, 2, false);
    ASSERT_EQ(n, r) << "text: \"" << text << "\"";
    if (r >= 1) {
        EXPECT_EQ(Bits(v[0]), Bits(a)) << "text: \"" << text << "\"";
    }
    if (r >= 2) {
        EXPECT_EQ(Bits(v[1]), Bits(b)) << "text: \"" << text << "\"";
    }
}

void ExpectInt64SameAsScanf(const std::string& text) {
    long long a = -7, b = -7;
    int r = std::sscanf(text.c_str(), "%lli %lli", &a, &b);
    if (r < 0) r = 0;
    int64_t v[2] = {-7, -7};
    int n = ScanInt64s(text.data(), text.data() + text.size(), v, 2, false);
    ASSERT_EQ(n, r) << "text: \"" << text << "\"";
    if (r >= 1) {
        EXPECT_EQ(v[0], a) << "text: \"" << text << "\"";
    }
    if (r >= 2) {
        EXPECT_EQ(v[1], b) << "text: \"" << text << "\"";
    }
}

void ExpectHex64SameAsScanf(const std::string& text) {
    unsigned long long a = 7, b = 7;
    int r = std::sscanf(text.c_str(), "%llx %llx", &a, &b);
    if (r < 0) r = 0;
    uint64_t v[2] = {7, 7};
    int n = ScanHex64s(text.data(), text.data() + text.size(), v, 2, false);
    ASSERT_EQ(n, r) << "text: \"" << text << "\"";
    if (r >= 1) {
        EXPECT_EQ(v[0], a) << "text: \"" << text << "\"";
    }
    if (r >= 2) {
        EXPECT_EQ(v[1], b) << "text: \"" << text << "\"";
    }
}

std::string Printf(const char* pattern, double v) {
    char buf[512];
    std::snprintf(buf, sizeof buf, pattern, v);
    return buf;
}

}  // namespace

TEST(NumberScan, DoubleEdgeCasesMatchScanf) {
    const char* cases[] = {
        "0.123456789012345677370", "   0.123456789012345677370", "\t-0.5", "+0.5", "+-0.5", "-0.5", "1.", ".5",
        "-.5", ".", "-", "+", "1e5", "1e", "1e+", "1e-", "1E", "1.5e+3x", "0x1p-2", "-0X1.8P1", "0x", "0xg", "0x.",
        "0x.8", "0x.p1", "0xp1", "0x1p", "0x1p+", "0x1P-2", "0x1.ep", "0x1e+2", "00x1", "-0x1", "+0x1", "inf",
        "-Infinity", "+inf", "infin", "infinit", "INFINITY", "infx", "nan", "-nan", "+nan", "NaN(123)", "nan(",
        "nanq", "ina", "1e400", "-1e400", "1e-400", "4.9e-324", "2.2250738585072011e-308",
        "1.7976931348623158e308", "1.7976931348623159e308", "9007199254740993",
        "9007199254740993.00000000000000000000000000000000000000000000000000000000000001",
        "00000000000000000000000000000001.5", "1..2", "1e5.5", "1e5e", ".e5", "e5", "1.e5", "1,5", "--1",
        "1e 5", "1e+ 5", "0x 5", "0xg 5", "1 2", "  1   -2  ", "1\t2", "1\v2\f", "", "   ", "x 1", "1 x",
        "12345678901234567890123456789", "-0", "-0.0e0", "0e99999999999", "1e-99999999999", "1e99999999999",
        "0.000000000000000000000000000000000000001e40"};
    for (const char* c : cases) ExpectSameAsScanf(c);
}

TEST(NumberScan, DoubleLongInputsMatchScanf) {
    std::string tenth = "0.1" + std::string(800, '0') + "5";
    ExpectSameAsScanf(tenth);
    ExpectSameAsScanf("1." + std::string(1000, '3'));
    ExpectSameAsScanf("0." + std::string(400, '0') + "1e400");
}

TEST(NumberScan, TextDecimalLinesMatchStrtodBitForBit) {
    // Lines as the writer makes them, from values over many magnitudes.
    std::mt19937_64 rng(12345);
    std::uniform_real_distribution<double> mant(-1.0, 1.0);
    std::uniform_int_distribution<int> exp(-30, 30);
    char line[128];
    for (int i = 0; i < 200000; ++i) {
        double x = std::ldexp(mant(rng), exp(rng));
        double y = mant(rng) * 32767.0;
        int len = std::snprintf(line, sizeof line, "%24.21f %24.21f", x, y);
        double v[2];
        ASSERT_EQ(ScanDoubles(line, line + len, v, 2, true), 2);
        char* end = nullptr;
        double ex = std::strtod(line, &end);
        double ey = std::strtod(end, nullptr);
        ASSERT_EQ(Bits(v[0]), Bits(ex)) << line;
        ASSERT_EQ(Bits(v[1]), Bits(ey)) << line;
    }
}

TEST(NumberScan, RandomDigitStringsMatchScanf) {
    std::mt19937 rng(7);
    const char alphabet[] = "0123456789.eE+-xXpPa ,infINF";
    for (int i = 0; i < 20000; ++i) {
        std::string s;
        int len = static_cast<int>(rng() % 12);
        for (int k = 0; k < len; ++k) s += alphabet[rng() % (sizeof alphabet - 1)];
        // Commas stay commas here (the pattern itself does not separate on them).
        ExpectSameAsScanf(s);
    }
}

TEST(NumberScan, CommasSeparateOnlyWhenAsked) {
    const char text[] = "1,2";
    double v[2];
    EXPECT_EQ(ScanDoubles(text, text + 3, v, 2, false), 1);
    EXPECT_EQ(ScanDoubles(text, text + 3, v, 2, true), 2);
    EXPECT_EQ(v[1], 2.0);
}

TEST(NumberScan, Int64MatchesScanfI) {
    const char* cases[] = {"010", "0x10", "0X1f", "-0x10", "+17", "08", "08 5", "099", "0x", "0x 5", "0xg 5",
                           "-0x", "0x-1", "99999999999999999999", "-99999999999999999999", "9223372036854775807",
                           "9223372036854775808", "-9223372036854775808", "-9223372036854775809",
                           "0xFFFFFFFFFFFFFFFF", "0777777777777777777777777", "  12  -34", "1e5", "+-1", "-",
                           "", "abc", "12abc 3", "0x1g2", "1.5 2"};
    for (const char* c : cases) ExpectInt64SameAsScanf(c);
}

TEST(NumberScan, Hex64MatchesScanfX) {
    const char* cases[] = {"8001 7FFF", "ffff", "0xFFFF", "0X10 -1", "-8001", "e5", "1E", "1e5e", "0x", "0xg",
                           "-0x8000000000000001", "1FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "g1", "", " +a b",
                           "0x1p", "12345678901234567"};
    for (const char* c : cases) ExpectHex64SameAsScanf(c);
}

TEST(NumberScan, Hex32SaturatesLikeA32BitLong) {
    uint32_t v = 0;
    const std::string big = "123456789";
    ASSERT_NE(ScanHex32(big.data(), big.data() + big.size(), v), nullptr);
    EXPECT_EQ(v, 0xFFFFFFFFu);
    const std::string neg = "-1";
    ScanHex32(neg.data(), neg.data() + neg.size(), v);
    EXPECT_EQ(v, 0xFFFFFFFFu);
    const std::string word = "7FFF00";
    ScanHex32(word.data(), word.data() + word.size(), v);
    EXPECT_EQ(v, 0x7FFF00u);
}

TEST(NumberPrint, FixedMatchesPrintfForRandomValues) {
    std::mt19937_64 rng(99);
    std::uniform_real_distribution<double> mant(-1.0, 1.0);
    std::uniform_int_distribution<int> exp(-80, 60);
    char buf[kFixedBufferSize + 64];
    for (int i = 0; i < 300000; ++i) {
        double x = std::ldexp(mant(rng), exp(rng));
        char* e = PrintFixed(buf, x, 24, 21);
        ASSERT_EQ(std::string(buf, e), Printf("%24.21f", x)) << std::hexfloat << x;
        e = PrintFixed(buf, x, 21, 18);
        ASSERT_EQ(std::string(buf, e), Printf("%21.18f", x)) << std::hexfloat << x;
    }
}

TEST(NumberPrint, FixedMatchesPrintfForRandomBitPatternsAndSpecials) {
    std::mt19937_64 rng(5);
    char buf[kFixedBufferSize + 64];
    std::vector<double> values = {0.0, -0.0, 1.0, -1.0, 0.5, 1e-30, -1e-30, 5e-22, 6e-22, 4.9e-324, 1e300,
                                  -1e300, 9007199254740991.5, 9007199254740992.0, 4503599627370495.5,
                                  0.9999999999999999999999, 0.99999999999999994, 32767.0, -32767.0,
                                  std::ldexp(1.0, -22), std::ldexp(3.0, -23), std::ldexp(1.0, -19),
                                  std::ldexp(5.0, -40), HUGE_VAL, -HUGE_VAL, std::nan(""), -std::nan("")};
    for (int i = 0; i < 200000; ++i) {
        uint64_t b = rng();
        double d;
        std::memcpy(&d, &b, sizeof d);
        values.push_back(d);
    }
    // Ties: values with exactly 22 or 19 fraction bits beyond the printed decimals.
    for (int k = 1; k < 2000; k += 2) {
        values.push_back(std::ldexp(static_cast<double>(k), -22));
        values.push_back(std::ldexp(static_cast<double>(k), -19));
        values.push_back(1.0 + std::ldexp(static_cast<double>(k), -22));
    }
    for (double x : values) {
        char* e = PrintFixed(buf, x, 24, 21);
        ASSERT_EQ(std::string(buf, e), Printf("%24.21f", x)) << std::hexfloat << x;
        e = PrintFixed(buf, x, 21, 18);
        ASSERT_EQ(std::string(buf, e), Printf("%21.18f", x)) << std::hexfloat << x;
        e = PrintFixed(buf, x, 12, 9);
        ASSERT_EQ(std::string(buf, e), Printf("%12.9f", x)) << std::hexfloat << x;
    }
}

TEST(NumberScan, DecimalConversionMatchesStrtodOverTheWholeRange) {
    std::mt19937_64 rng(2024);
    char text[128];
    auto check = [&](const char* s) {
        size_t len = std::strlen(s);
        double v = -7.0;
        const char* end = ScanDouble(s, s + len, v);
        ASSERT_NE(end, nullptr) << s;
        char* expectedEnd = nullptr;
        double expected = std::strtod(s, &expectedEnd);
        ASSERT_EQ(Bits(v), Bits(expected)) << s;
    };
    const char* patterns[] = {"%.17g", "%.16g", "%.15g", "%.19g", "%.20g", "%.25e", "%.30e", "%.18e", "%.3e"};
    for (int i = 0; i < 300000; ++i) {
        uint64_t b = rng() & ~(uint64_t{1} << 63);
        double d;
        std::memcpy(&d, &b, sizeof d);
        if (!std::isfinite(d)) continue;
        std::snprintf(text, sizeof text, patterns[i % 9], d);
        check(text);
    }
    // Random digit strings with a point somewhere and an exponent.
    for (int i = 0; i < 300000; ++i) {
        std::string s;
        int n = 1 + static_cast<int>(rng() % 30);
        int point = static_cast<int>(rng() % (n + 1));
        for (int k = 0; k < n; ++k) {
            if (k == point) s += '.';
            s += static_cast<char>('0' + rng() % 10);
        }
        if (rng() % 2) s += "e" + std::to_string(static_cast<int>(rng() % 700) - 360);
        check(s.c_str());
    }
    // Halfway cases: a double and the next one up, and the decimal between them.
    for (int i = 0; i < 20000; ++i) {
        double d = std::ldexp(static_cast<double>(rng() >> 11), static_cast<int>(rng() % 120) - 60);
        long double mid = (static_cast<long double>(d) + std::nextafter(d, HUGE_VAL)) / 2;
        std::snprintf(text, sizeof text, "%.40Lg", mid);
        check(text);
    }
    for (const char* s : {"9007199254740993", "9007199254740992.5", "18014398509481985", "1e23", "8.5e-323",
                          "2.4703282292062327e-324", "2.4703282292062328e-324", "1.7976931348623157e308",
                          "1.7976931348623158e308", "4.9406564584124654e-324", "2.225073858507201e-308",
                          "0.000000000000000000000000000001", "123456789012345678901234567890e-30"})
        check(s);
}
