#include "formats/NumberText.h"

#include "formats/DecimalPowers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace kv {

namespace {

inline bool IsDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

inline int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    char l = static_cast<char>(c | 0x20);
    if (l >= 'a' && l <= 'f') return l - 'a' + 10;
    return -1;
}

inline char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c | 0x20) : c; }

// True when [p, end) starts with the lower-case word, case ignored.
bool MatchWord(const char* p, const char* end, const char* word) {
    for (; *word; ++word, ++p)
        if (p >= end || Lower(*p) != *word) return false;
    return true;
}

// Converts a token with the C library (NUL-terminated copy).
double StrtodToken(const char* begin, const char* end) {
    std::string token(begin, end);
    return std::strtod(token.c_str(), nullptr);
}

// A hexadecimal floating number after its sign; p points at "0x".
const char* ScanHexFloat(const char* sign, const char* p, const char* end, double& value) {
    const char* q = p + 2;
    bool digits = false;
    bool dot = false;
    while (q < end) {
        if (HexValue(*q) >= 0) {
            digits = true;
        } else if (*q == '.' && !dot) {
            dot = true;
        } else {
            break;
        }
        ++q;
    }
    if (!digits && !dot) return nullptr;
    const char* tokenEnd = q;
    const char* consumed = q;
    if (digits && q < end && (*q == 'p' || *q == 'P')) {
        const char* e = q + 1;
        if (e < end && (*e == '+' || *e == '-')) ++e;
        const char* expDigits = e;
        while (e < end && IsDigit(*e)) ++e;
        consumed = e;
        if (e > expDigits) tokenEnd = e;  // otherwise the exponent dangles and adds nothing
    }
    value = StrtodToken(sign, tokenEnd);
    return consumed;
}

// The unsigned magnitude of a run of digits in the radix, saturating;
// returns the end of the digits.
const char* ScanMagnitude(const char* p, const char* end, int radix, uint64_t& magnitude, bool& overflow) {
    uint64_t v = 0;
    overflow = false;
    for (; p < end; ++p) {
        int d = HexValue(*p);
        if (d < 0 || d >= radix) break;
        if (v > (std::numeric_limits<uint64_t>::max() - static_cast<uint64_t>(d)) / static_cast<uint64_t>(radix))
            overflow = true;
        else
            v = v * static_cast<uint64_t>(radix) + static_cast<uint64_t>(d);
    }
    magnitude = v;
    return p;
}

// Sign, radix prefix and digits of an integer conversion. radix 0 is "%i"
// (0x hexadecimal, leading 0 octal, else decimal), 16 is "%x".
const char* ScanIntegerParts(const char* p, const char* end, int radix, bool& negative, uint64_t& magnitude,
                             bool& overflow) {
    negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
        if (p >= end) return nullptr;
    }
    bool prefixed = false;
    if ((radix == 0 || radix == 16) && *p == '0' && p + 1 < end && (p[1] == 'x' || p[1] == 'X')) {
        p += 2;
        radix = 16;
        prefixed = true;
    } else if (radix == 0) {
        radix = *p == '0' ? 8 : 10;
    }
    const char* q = ScanMagnitude(p, end, radix, magnitude, overflow);
    if (q == p && !prefixed) return nullptr;
    return q;
}

template <class T, class Scan>
int ScanMany(const char* p, const char* end, T* values, int count, bool commaIsSpace, Scan scan) {
    int n = 0;
    while (n < count) {
        while (p < end && (IsScanSpace(*p) || (commaIsSpace && *p == ','))) ++p;
        if (p >= end) break;
        const char* q = scan(p, end, values[n]);
        if (!q) break;
        ++n;
        p = q;
    }
    return n;
}

// ---------------------------------------------------------------------------
// Decimal to binary: the exact conversion of w * 10^q (w of up to 19 digits)
// to the nearest double, ties to even, by a 128-bit product with a
// normalised power of five (the Eisel-Lemire method). Digits beyond the 19th
// are settled by converting w and w + 1: when both give the same double it is
// the answer, otherwise the library converts the text.

struct CBinaryFloat {
    uint64_t mantissa = 0;
    int32_t power2 = 0;
    bool operator==(const CBinaryFloat& o) const { return mantissa == o.mantissa && power2 == o.power2; }
};

using u128 = unsigned __int128;

// With `stable`, also tells whether w + 1 certainly gives the same result:
// the product moves by less than 2^lz in its high word, so when that does not
// leave the block of the rounding bit (and no tie rule applies) nothing changes.
CBinaryFloat DecimalToBinary(int64_t q, uint64_t w, bool* stable = nullptr) {
    constexpr int kMantissaBits = 52;
    constexpr int kMinimumExponent = -1023;
    constexpr int kInfinitePower = 0x7FF;
    CBinaryFloat answer;
    if (w == 0 || q < kSmallestPowerOfFive) return answer;
    if (q > kLargestPowerOfFive) {
        answer.power2 = kInfinitePower;
        return answer;
    }
    int lz = __builtin_clzll(w);
    w <<= lz;
    const size_t index = 2 * static_cast<size_t>(q - kSmallestPowerOfFive);
    u128 first = static_cast<u128>(w) * kPowersOfFive128[index];
    uint64_t high = static_cast<uint64_t>(first >> 64);
    uint64_t low = static_cast<uint64_t>(first);
    constexpr uint64_t kPrecisionMask = ~uint64_t{0} >> (kMantissaBits + 3);
    if ((high & kPrecisionMask) == kPrecisionMask) {
        u128 second = static_cast<u128>(w) * kPowersOfFive128[index + 1];
        uint64_t secondHigh = static_cast<uint64_t>(second >> 64);
        low += secondHigh;
        if (secondHigh > low) ++high;
    }
    int upperbit = static_cast<int>(high >> 63);
    const int shift = upperbit + 64 - kMantissaBits - 3;
    answer.mantissa = high >> shift;
    if (stable) {
        const uint64_t below = high & ((uint64_t{1} << shift) - 1);
        *stable = (q < -4 || q > 23) && lz <= 8 && __builtin_clzll((w >> lz) + 1) == lz &&
                  below + (uint64_t{1} << lz) + 4 < (uint64_t{1} << shift);
    }
    const int32_t power = static_cast<int32_t>(((152170 + 65536) * q) >> 16) + 63;
    answer.power2 = power + upperbit - lz - kMinimumExponent;
    if (answer.power2 <= 0) {  // subnormal
        if (-answer.power2 + 1 >= 64) {
            answer.mantissa = 0;
            answer.power2 = 0;
            return answer;
        }
        answer.mantissa >>= -answer.power2 + 1;
        answer.mantissa += answer.mantissa & 1;
        answer.mantissa >>= 1;
        answer.power2 = answer.mantissa < (uint64_t{1} << kMantissaBits) ? 0 : 1;
        return answer;
    }
    // Exactly halfway (only possible where 5^q is exact): round to even.
    if (low <= 1 && q >= -4 && q <= 23 && (answer.mantissa & 3) == 1 && (answer.mantissa << shift) == high)
        answer.mantissa &= ~uint64_t{1};
    answer.mantissa += answer.mantissa & 1;
    answer.mantissa >>= 1;
    if (answer.mantissa >= (uint64_t{2} << kMantissaBits)) {
        answer.mantissa = uint64_t{1} << kMantissaBits;
        ++answer.power2;
    }
    answer.mantissa &= ~(uint64_t{1} << kMantissaBits);
    if (answer.power2 >= kInfinitePower) {
        answer.power2 = kInfinitePower;
        answer.mantissa = 0;
    }
    return answer;
}

inline double ToDouble(const CBinaryFloat& f, bool negative) {
    uint64_t bits = f.mantissa | (static_cast<uint64_t>(f.power2) << 52) | (negative ? uint64_t{1} << 63 : 0);
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Eight ASCII digits at once, when all eight bytes are digits.
inline bool EightDigits(const char* p, uint64_t& value) {
    uint64_t chunk;
    std::memcpy(&chunk, p, sizeof chunk);
    if ((((chunk & 0xF0F0F0F0F0F0F0F0ull) | (((chunk + 0x0606060606060606ull) & 0xF0F0F0F0F0F0F0F0ull) >> 4)) !=
         0x3333333333333333ull))
        return false;
    chunk -= 0x3030303030303030ull;
    chunk = (chunk * 10) + (chunk >> 8);
    value = (((chunk & 0x000000FF000000FFull) * (100 + (1000000ull << 32))) +
             (((chunk >> 16) & 0x000000FF000000FFull) * (1 + (10000ull << 32)))) >>
            32;
    return true;
}

// A decimal number after its sign: digits, an optional point and fraction
// (at least one digit in all), an optional exponent. An exponent without
// digits is consumed and adds nothing.
const char* ScanDecimal(const char* sign, const char* p, const char* end, bool negative, double& value) {
    const char* start = p;
    uint64_t w = 0;
    int digits = 0;  // significant digits taken into w
    int64_t exp10 = 0;
    bool truncated = false;
    bool anyDigit = false;
    while (p < end && *p == '0') {
        ++p;
        anyDigit = true;
    }
    for (; p < end && IsDigit(*p); ++p) {
        anyDigit = true;
        if (digits < 19) {
            w = w * 10 + static_cast<uint64_t>(*p - '0');
            ++digits;
        } else {
            truncated |= *p != '0';
            ++exp10;
        }
    }
    if (p < end && *p == '.') {
        ++p;
        if (digits == 0) {
            while (p < end && *p == '0') {
                ++p;
                --exp10;
                anyDigit = true;
            }
        }
        uint64_t eight;
        while (digits <= 11 && end - p >= 8 && EightDigits(p, eight)) {
            w = w * 100000000 + eight;
            digits += 8;
            exp10 -= 8;
            p += 8;
            anyDigit = true;
        }
        for (; p < end && IsDigit(*p); ++p) {
            anyDigit = true;
            if (digits < 19) {
                w = w * 10 + static_cast<uint64_t>(*p - '0');
                ++digits;
                --exp10;
            } else {
                truncated |= *p != '0';
            }
        }
    }
    if (!anyDigit) return nullptr;
    const char* numberEnd = p;
    if (p < end && (*p == 'e' || *p == 'E')) {
        const char* e = p + 1;
        bool expNegative = false;
        if (e < end && (*e == '+' || *e == '-')) {
            expNegative = *e == '-';
            ++e;
        }
        if (e < end && IsDigit(*e)) {
            int64_t x = 0;
            for (; e < end && IsDigit(*e); ++e)
                if (x < 100000000) x = x * 10 + (*e - '0');
            exp10 += expNegative ? -x : x;
            numberEnd = e;
        }
        p = e;  // a dangling exponent is consumed too
    }
    if (w == 0) {
        value = negative ? -0.0 : 0.0;
        return p;
    }
    if (!truncated && exp10 >= -22 && exp10 <= 22 && w <= (uint64_t{1} << 53)) {
        double d = static_cast<double>(w);
        d = exp10 < 0 ? d / kExactPowersOfTen[-exp10] : d * kExactPowersOfTen[exp10];
        value = negative ? -d : d;
        return p;
    }
    bool stable = false;
    CBinaryFloat f = DecimalToBinary(exp10, w, truncated ? &stable : nullptr);
    const bool normal = f.power2 > 0 && f.power2 < 0x7FF;
    if (truncated && !(stable && normal) && !(DecimalToBinary(exp10, w + 1) == f)) {
        // Too close to a rounding boundary for 19 digits: the library decides.
        double d = 0.0;
        auto [q, ec] = std::from_chars(start, numberEnd, d, std::chars_format::general);
        if (ec == std::errc()) {
            value = negative ? -d : d;
        } else {
            value = StrtodToken(sign, numberEnd);
        }
        (void)q;
        return p;
    }
    value = ToDouble(f, negative);
    return p;
}

}  // namespace

const char* ScanDouble(const char* p, const char* end, double& value) {
    const char* sign = p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
        if (p >= end) return nullptr;
    }
    char c = *p;
    if (IsDigit(c) || c == '.') {
        if (c == '0' && p + 1 < end && (p[1] == 'x' || p[1] == 'X')) return ScanHexFloat(sign, p, end, value);
        return ScanDecimal(sign, p, end, negative, value);
    }
    double sign1 = negative ? -1.0 : 1.0;
    if (Lower(c) == 'i') {
        if (!MatchWord(p, end, "inf")) return nullptr;
        const char* q = p + 3;
        if (q < end && Lower(*q) == 'i') {
            if (!MatchWord(q, end, "inity")) return nullptr;
            q += 5;
        }
        value = sign1 * std::numeric_limits<double>::infinity();
        return q;
    }
    if (Lower(c) == 'n') {
        if (!MatchWord(p, end, "nan")) return nullptr;
        value = std::copysign(std::numeric_limits<double>::quiet_NaN(), sign1);
        return p + 3;
    }
    return nullptr;
}

const char* ScanInt64(const char* p, const char* end, int64_t& value) {
    bool negative, overflow;
    uint64_t m;
    const char* q = ScanIntegerParts(p, end, 0, negative, m, overflow);
    if (!q) return nullptr;
    constexpr uint64_t kMax = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
    if (negative) {
        value = (overflow || m > kMax + 1) ? std::numeric_limits<int64_t>::min()
                                           : static_cast<int64_t>(0 - m);
    } else {
        value = (overflow || m > kMax) ? std::numeric_limits<int64_t>::max() : static_cast<int64_t>(m);
    }
    return q;
}

const char* ScanInt32(const char* p, const char* end, int32_t& value) {
    int64_t v;
    const char* q = ScanInt64(p, end, v);
    if (!q) return nullptr;
    value = v > std::numeric_limits<int32_t>::max()   ? std::numeric_limits<int32_t>::max()
            : v < std::numeric_limits<int32_t>::min() ? std::numeric_limits<int32_t>::min()
                                                      : static_cast<int32_t>(v);
    return q;
}

const char* ScanHex64(const char* p, const char* end, uint64_t& value) {
    bool negative, overflow;
    uint64_t m;
    const char* q = ScanIntegerParts(p, end, 16, negative, m, overflow);
    if (!q) return nullptr;
    if (overflow)
        value = std::numeric_limits<uint64_t>::max();
    else
        value = negative ? 0 - m : m;
    return q;
}

const char* ScanHex32(const char* p, const char* end, uint32_t& value) {
    bool negative, overflow;
    uint64_t m;
    const char* q = ScanIntegerParts(p, end, 16, negative, m, overflow);
    if (!q) return nullptr;
    if (overflow || m > 0xFFFFFFFFu)
        value = 0xFFFFFFFFu;
    else
        value = static_cast<uint32_t>(negative ? 0 - m : m);
    return q;
}

int ScanDoubles(const char* p, const char* end, double* values, int count, bool commaIsSpace) {
    return ScanMany(p, end, values, count, commaIsSpace,
                    [](const char* a, const char* b, double& v) { return ScanDouble(a, b, v); });
}

int ScanInt64s(const char* p, const char* end, int64_t* values, int count, bool commaIsSpace) {
    return ScanMany(p, end, values, count, commaIsSpace,
                    [](const char* a, const char* b, int64_t& v) { return ScanInt64(a, b, v); });
}

int ScanHex64s(const char* p, const char* end, uint64_t* values, int count, bool commaIsSpace) {
    return ScanMany(p, end, values, count, commaIsSpace,
                    [](const char* a, const char* b, uint64_t& v) { return ScanHex64(a, b, v); });
}

int ScanHex32s(const char* p, const char* end, uint32_t* values, int count, bool commaIsSpace) {
    return ScanMany(p, end, values, count, commaIsSpace,
                    [](const char* a, const char* b, uint32_t& v) { return ScanHex32(a, b, v); });
}

// ---------------------------------------------------------------------------
// Printing

namespace {

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes exactly `digits` decimal digits of v (v < 10^digits), leading zeros included.
inline void WriteDigits(char* out, uint64_t v, int digits) {
    char* p = out + digits;
    while (digits >= 2) {
        unsigned r = static_cast<unsigned>(v % 100);
        v /= 100;
        p -= 2;
        std::memcpy(p, kDigitPairs + 2 * r, 2);
        digits -= 2;
    }
    if (digits) *--p = static_cast<char>('0' + v % 10);
}

inline int DecimalLength(uint64_t v) {
    int n = 1;
    while (v >= 10) {
        v /= 10;
        ++n;
    }
    return n;
}

constexpr uint64_t Pow10(int n) {
    uint64_t r = 1;
    while (n-- > 0) r *= 10;
    return r;
}

constexpr uint64_t Pow5(int n) {
    uint64_t r = 1;
    while (n-- > 0) r *= 5;
    return r;
}


constexpr int kLowDigits = 11;

// Fixed notation for the common case: |value| < 2^53 with a fraction of at
// most about 110 significant bits after the point, and 11 to 22 decimals.
// The fraction digits are the exact binary fraction scaled and rounded to
// nearest, ties to even, as printf does. Returns nullptr when the value
// needs the general path.
char* PrintFixedFast(char* out, double value, int width, int precision) {
    if (precision < kLowDigits || precision > kLowDigits + 11) return nullptr;
    if (!(std::fabs(value) < 9007199254740992.0)) return nullptr;  // also NaN
    bool negative = std::signbit(value);
    double a = std::fabs(value);
    uint64_t ip = static_cast<uint64_t>(a);
    double fr = a - static_cast<double>(ip);  // exact
    const int hd = precision - kLowDigits;    // digits of the high part
    uint64_t high = 0, low = 0;
    if (fr != 0.0) {
        uint64_t bits;
        std::memcpy(&bits, &fr, sizeof bits);
        int e = static_cast<int>((bits >> 52) & 0x7FF);
        if (e == 0) return nullptr;
        uint64_t m = (bits & ((uint64_t{1} << 52) - 1)) | (uint64_t{1} << 52);
        int k = 1075 - e;  // fr = m / 2^k
        int tz = __builtin_ctzll(m);
        m >>= tz;
        k -= tz;
        u128 a1 = static_cast<u128>(m) * Pow5(hd);  // fr * 10^hd = a1 / 2^(k - hd)
        if (k <= hd) {
            high = static_cast<uint64_t>(a1 << (hd - k));
        } else {
            int s1 = k - hd;
            if (s1 > 100) return nullptr;
            high = static_cast<uint64_t>(a1 >> s1);
            u128 r = a1 & ((static_cast<u128>(1) << s1) - 1);
            u128 b = r * Pow5(kLowDigits);  // remaining fraction * 10^11 = b / 2^(s1 - 11)
            if (s1 <= kLowDigits) {
                low = static_cast<uint64_t>(b << (kLowDigits - s1));
            } else {
                int s2 = s1 - kLowDigits;
                low = static_cast<uint64_t>(b >> s2);
                u128 rem = b & ((static_cast<u128>(1) << s2) - 1);
                u128 half = static_cast<u128>(1) << (s2 - 1);
                if (rem > half || (rem == half && (low & 1))) ++low;
            }
            if (low == Pow10(kLowDigits)) {
                low = 0;
                if (++high == Pow10(hd)) {
                    high = 0;
                    ++ip;
                }
            }
        }
    }
    int intLen = DecimalLength(ip);
    int len = (negative ? 1 : 0) + intLen + 1 + precision;
    char* p = out;
    for (int i = len; i < width; ++i) *p++ = ' ';
    if (negative) *p++ = '-';
    WriteDigits(p, ip, intLen);
    p += intLen;
    *p++ = '.';
    WriteDigits(p, high, hd);
    p += hd;
    WriteDigits(p, low, kLowDigits);
    return p + kLowDigits;
}

}  // namespace

char* PrintFixed(char* out, double value, int width, int precision) {
    if (char* end = PrintFixedFast(out, value, width, precision)) return end;
    char buf[kFixedBufferSize + 128];
    auto [e, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, precision);
    size_t n = ec == std::errc() ? static_cast<size_t>(e - buf) : 0;
    if (ec != std::errc()) {  // cannot happen with this buffer; print it the slow way
        int m = std::snprintf(buf, sizeof buf, "%.*f", precision, value);
        n = m > 0 ? std::min(static_cast<size_t>(m), sizeof buf - 1) : 0;
    }
    char* p = out;
    for (size_t i = n; i < static_cast<size_t>(width > 0 ? width : 0); ++i) *p++ = ' ';
    std::memcpy(p, buf, n);
    return p + n;
}

std::string FormatFixed(double value, int width, int precision) {
    std::string s(static_cast<size_t>(std::max(width, 0) + kFixedBufferSize + precision), '\0');
    char* e = PrintFixed(s.data(), value, width, precision);
    s.resize(static_cast<size_t>(e - s.data()));
    return s;
}

char* PrintInt64(char* out, int64_t value) {
    auto [e, ec] = std::to_chars(out, out + 24, value);
    (void)ec;
    return e;
}

}  // namespace kv

namespace kv {

char* PrintShortest(char* out, double value) {
    auto [e, ec] = std::to_chars(out, out + kShortestBufferSize, value);
    (void)ec;  // the buffer holds the longest result
    return e;
}

std::string ShortestText(double value) {
    char buf[kShortestBufferSize];
    return std::string(buf, PrintShortest(buf, value));
}

}  // namespace kv
