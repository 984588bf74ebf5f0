#include "model/numeric_text.h"

#include <locale.h>
#include <QByteArray>
#include <QVarLengthArray>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

bool IsIgnored(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// strtod in the "C" locale, whatever locale the application runs in.
double CStrtod(const char* s) {
    static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return strtod_l(s, nullptr, c_locale);
}

// Short texts stay on the stack.
using CharBuffer = QVarLengthArray<char, 64>;

// Scans a decimal number at the start of [s, s + n) and returns how many characters it takes
// (0 when there is none). The text handed to strtod (with D turned into E) goes to buf, ended
// by a NUL.
std::size_t ScanDecimal(const char* s, std::size_t n, CharBuffer& buf) {
    std::size_t i = 0;
    buf.clear();
    if (i < n && (s[i] == '+' || s[i] == '-')) buf.append(s[i++]);
    std::size_t digits = 0;
    while (i < n && IsDigit(s[i])) buf.append(s[i++]), ++digits;
    if (i < n && s[i] == '.') {
        buf.append(s[i++]);
        while (i < n && IsDigit(s[i])) buf.append(s[i++]), ++digits;
    }
    if (digits == 0) return 0;
    if (i < n && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        std::size_t j = i + 1;
        if (j < n && (s[j] == '+' || s[j] == '-')) ++j;
        if (j < n && IsDigit(s[j])) {
            buf.append('E');
            buf.append(s + i + 1, static_cast<qsizetype>(j - i - 1));
            while (j < n && IsDigit(s[j])) buf.append(s[j++]);
            i = j;
        }
    }
    buf.append('\0');
    return i;
}

double RadixInteger(const char* s, std::size_t n, int radix) {
    double v = 0;
    for (std::size_t i = 0; i < n; ++i) {
        int d = -1;
        const char c = s[i];
        if (IsDigit(c))
            d = c - '0';
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        if (d < 0 || d >= radix) break;
        v = v * radix + d;
    }
    return v;
}

}  // namespace

double ReadNumber(QStringView text) {
    // Only ASCII can take part in a number; the first other character ends it.
    CharBuffer ascii;
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (IsIgnored(c)) continue;
        if (c >= 0x80) break;
        ascii.append(static_cast<char>(c));
    }
    const char* s = ascii.constData();
    const auto n = static_cast<std::size_t>(ascii.size());

    if (n >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h') return RadixInteger(s + 2, n - 2, 16);
        if (s[1] == 'O' || s[1] == 'o') return RadixInteger(s + 2, n - 2, 8);
        return 0;
    }
    CharBuffer buf;
    if (ScanDecimal(s, n, buf) == 0) return 0;
    return CStrtod(buf.constData());
}

bool ParseWholeNumber(const char* text, std::size_t length, double& out) {
    // The common case in files: a plain integer.
    std::size_t i = 0;
    bool negative = false;
    if (length > 0 && (text[0] == '-' || text[0] == '+')) negative = text[i++] == '-';
    if (i < length && length - i <= 15) {
        long long v = 0;
        std::size_t j = i;
        while (j < length && IsDigit(text[j])) v = v * 10 + (text[j++] - '0');
        if (j == length && j > i) {
            out = negative ? -static_cast<double>(v) : static_cast<double>(v);
            return true;
        }
    }
    // Plain decimals with a fraction or an E exponent, correctly rounded without the locale.
    if (i < length && (IsDigit(text[i]) || text[i] == '.')) {
        double v = 0;
        const auto r = std::from_chars(text + i, text + length, v, std::chars_format::general);
        if (r.ec == std::errc() && r.ptr == text + length) {
            out = negative ? -v : v;
            return true;
        }
    }
    // The rest (D exponents, magnitudes beyond the double range) as strtod sees them.
    CharBuffer buf;
    if (ScanDecimal(text, length, buf) != length || length == 0) return false;
    out = CStrtod(buf.constData());
    return true;
}

double RoundHalfEven(double v) {
    return std::nearbyint(v);
}

bool FitsInt16(double v) {
    return v >= -32768.0 && v <= 32767.0;
}
bool FitsInt32(double v) {
    return v >= -2147483648.0 && v <= 2147483647.0;
}

namespace {

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Powers of ten from 1E-09 to 1E+16, as the nearest doubles.
constexpr double kPowersFrom9[] = {1e-9, 1e-8, 1e-7, 1e-6, 1e-5, 1e-4, 1e-3, 1e-2, 1e-1,
                                   1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,
                                   1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16};

// floor(log10(a)) for 1E-08 <= a < 1E+15, as the library gives it, mostly without asking it:
// away from a power of ten the binary exponent and a comparison tell it exactly. Near one the
// library's rounding decides, so the library is asked there.
int DecimalExponent(double a) {
    std::uint64_t bits;
    std::memcpy(&bits, &a, sizeof bits);
    const int binary = static_cast<int>((bits >> 52) & 0x7FF) - 1023;
    int e = (binary * 1233) >> 12;  // about binary * log10(2), rounded down
    auto power = [](int k) { return kPowersFrom9[k + 9]; };
    while (e + 1 <= 16 && a >= power(e + 1)) ++e;
    while (e > -9 && a < power(e)) --e;
    if (e + 1 > 16 || e <= -9 || a > power(e + 1) * (1 - 1e-13) || a < power(e) * (1 + 1e-13))
        return static_cast<int>(std::floor(std::log10(a)));
    return e;
}

// The general format with 15 significant digits for 1E-08 <= |v| < 1E+15, worked out exactly:
// |v| times a power of ten is a double plus the error that fma recovers, so the product rounds
// to the right 15-digit integer. Returns 0 outside that range and within a hair of a tie,
// which the library then decides.
int FifteenDigitsExactly(double v, char* buf) {
    const double a = std::fabs(v);
    if (!(a >= 1e-8 && a < 1e15)) return 0;
    int exponent = DecimalExponent(a);
    std::uint64_t digits = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int k = 14 - exponent;
        if (k < 0 || k > 22) return 0;
        const double p = kExactPowers[k];
        const double hi = a * p;
        if (hi < 1e14 - 0.5) {  // log10 may be one off near a power of ten
            --exponent;
            continue;
        }
        if (hi >= 1e15 - 0.5) {
            ++exponent;
            continue;
        }
        const double lo = std::fma(a, p, -hi);  // a * p == hi + lo exactly
        // hi lies in [1e14 - 0.5, 1e15), where adding one half is exact: this is round().
        double r = static_cast<double>(static_cast<std::int64_t>(hi + 0.5));
        const double rest = (hi - r) + lo;
        if (std::fabs(std::fabs(rest) - 0.5) < 1e-6) return 0;
        if (rest > 0.5)
            r += 1;
        else if (rest < -0.5)
            r -= 1;
        digits = static_cast<std::uint64_t>(r);
        break;
    }
    if (digits == 0) return 0;
    if (digits >= 1000000000000000ull) {  // rounded up to the next power of ten
        digits /= 10;
        ++exponent;
    }
    if (digits < 100000000000000ull) return 0;  // not 15 digits
    // The 15 digits as 7 and 8, each written two at a time in 32 bits.
    char text[16];
    const auto high = static_cast<std::uint32_t>(digits / 100000000u);
    const auto low = static_cast<std::uint32_t>(digits % 100000000u);
    auto pair = [&](int at, std::uint32_t twoDigits) {
        std::memcpy(text + at, kDigitPairs + 2 * twoDigits, 2);
    };
    const std::uint32_t high3 = high / 10000, high4 = high % 10000;
    text[0] = static_cast<char>('0' + high3 / 100);
    pair(1, high3 % 100);
    pair(3, high4 / 100);
    pair(5, high4 % 100);
    const std::uint32_t low4a = low / 10000, low4b = low % 10000;
    pair(7, low4a / 100);
    pair(9, low4a % 100);
    pair(11, low4b / 100);
    pair(13, low4b % 100);
    int count = 15;
    while (count > 1 && text[count - 1] == '0') --count;

    char* out = buf;
    if (v < 0) *out++ = '-';
    if (exponent < -4) {  // d.dddE-xx
        *out++ = text[0];
        if (count > 1) {
            *out++ = '.';
            for (int i = 1; i < count; ++i) *out++ = text[i];
        }
        *out++ = 'E';
        *out++ = '-';
        *out++ = static_cast<char>('0' + -exponent / 10);
        *out++ = static_cast<char>('0' + -exponent % 10);
    } else if (exponent < 0) {  // 0.000ddd
        *out++ = '0';
        *out++ = '.';
        for (int i = -1; i > exponent; --i) *out++ = '0';
        for (int i = 0; i < count; ++i) *out++ = text[i];
    } else if (count <= exponent + 1) {  // ddd000
        std::memcpy(out, text, static_cast<std::size_t>(count));
        out += count;
        for (int i = count; i <= exponent; ++i) *out++ = '0';
    } else {  // ddd.ddd
        std::memcpy(out, text, static_cast<std::size_t>(exponent + 1));
        out += exponent + 1;
        *out++ = '.';
        std::memcpy(out, text + exponent + 1, static_cast<std::size_t>(count - exponent - 1));
        out += count - exponent - 1;
    }
    return static_cast<int>(out - buf);
}

// Writes v into buf (at least 32 bytes) and returns the length.
int NumberChars(double v, char* buf) {
    if (v == 0) {  // also -0
        buf[0] = '0';
        return 1;
    }
    if (std::isnan(v)) {
        std::memcpy(buf, "NaN", 3);
        return 3;
    }
    if (std::isinf(v)) {
        const char* t = v < 0 ? "-Infinity" : "Infinity";
        const int len = static_cast<int>(std::strlen(t));
        std::memcpy(buf, t, static_cast<std::size_t>(len));
        return len;
    }
    if (std::fabs(v) < 1e15 && v == std::trunc(v)) {
        const auto r = std::to_chars(buf, buf + 32, static_cast<long long>(v));
        return static_cast<int>(r.ptr - buf);
    }
    if (const int n = FifteenDigitsExactly(v, buf); n > 0) return n;
    const auto r = std::to_chars(buf, buf + 32, v, std::chars_format::general, 15);
    for (char* p = buf; p != r.ptr; ++p)
        if (*p == 'e') *p = 'E';
    return static_cast<int>(r.ptr - buf);
}

}  // namespace

QString FormatNumber(double v) {
    char buf[32];
    return QString::fromLatin1(buf, NumberChars(v, buf));
}

int WriteNumber(char* out, double v) {
    return NumberChars(v, out);
}

QString FormatSingle(float v) {
    if (v == 0) return QStringLiteral("0");
    char buf[32];
    const auto r =
        std::to_chars(buf, buf + sizeof buf, static_cast<double>(v), std::chars_format::general, 7);
    for (char* p = buf; p != r.ptr; ++p)
        if (*p == 'e') *p = 'E';
    return QString::fromLatin1(buf, static_cast<int>(r.ptr - buf));
}
