#include "model/numeric_text.h"

#include <locale.h>
#include <QByteArray>
#include <QVarLengthArray>
#include <array>
#include <bit>
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

// Powers of five that fit 64 bits with room to spare: a times 10^k is a's mantissa times 5^k,
// moved k places in binary.
constexpr auto kPowersOfFive = [] {
    std::array<std::uint64_t, 24> p{};
    p[0] = 1;
    for (std::size_t k = 1; k < p.size(); ++k) p[k] = p[k - 1] * 5;
    return p;
}();

// Powers of ten from 1E-09 to 1E+16, as the nearest doubles.
constexpr double kPowersFrom9[] = {1e-9, 1e-8, 1e-7, 1e-6, 1e-5, 1e-4, 1e-3, 1e-2, 1e-1,
                                   1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,
                                   1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16};

__extension__ using Wide = unsigned __int128;

// The eight decimal digits of n < 10^8 (with leading zeros) as the bytes of a word, the first
// digit in the lowest byte: split into halves, then quarters, then digits, every lane of the
// word at once.
std::uint64_t DigitBytes(std::uint32_t n) {
    std::uint64_t x = n / 10000 | static_cast<std::uint64_t>(n % 10000) << 32;
    const std::uint64_t hundreds = (x * 10486 >> 20) & 0x0000007F0000007Fu;  // each lane / 100
    x = hundreds | (x - hundreds * 100) << 16;
    const std::uint64_t tens = (x * 103 >> 10) & 0x000F000F000F000Fu;  // each lane / 10
    return tens | (x - tens * 10) << 8;
}

// The general format with 15 significant digits for 1E-08 <= |v| < 1E+15, worked out exactly in
// integers: |v| is a 53-bit mantissa times a power of two, so |v| times a power of ten is that
// mantissa times a power of five, shifted. Returns 0 outside that range and on an exact tie,
// which the library then decides. The digits come out as bytes in the order of a little-endian
// word; elsewhere the library writes every number.
int FifteenDigitsExactly(double v, char* buf) {
    if constexpr (std::endian::native != std::endian::little) return 0;
    const double a = std::fabs(v);
    if (!(a >= 1e-8 && a < 1e15)) return 0;
    std::uint64_t bits;
    std::memcpy(&bits, &a, sizeof bits);
    const int biased = static_cast<int>(bits >> 52);
    const std::uint64_t mantissa = (bits & ((1ull << 52) - 1)) | (1ull << 52);
    // floor(log10(a)): about (biased - 1023) * log10(2) rounded down, or one more. Below one
    // the powers are not exact; the checks below put any slip right.
    int exponent = ((biased - 1023) * 1233) >> 12;
    exponent += a >= kPowersFrom9[exponent + 10];
    std::uint64_t digits = 0;
    for (int attempt = 0;; ++attempt) {
        const int k = 14 - exponent;
        if (attempt == 3 || k < 0 || k > 23) return 0;
        const Wide product = static_cast<Wide>(mantissa) * kPowersOfFive[k];
        const int shift = 1075 - biased - k;       // a * 10^k == product / 2^shift
        if (shift <= 0 || shift >= 120) return 0;  // whole, or beyond the range above
        const Wide whole = product >> shift;
        if (whole >= 1000000000000000u) {
            ++exponent;
            continue;
        }
        if (whole < 100000000000000u) {
            --exponent;
            continue;
        }
        const Wide rest = product & ((static_cast<Wide>(1) << shift) - 1);
        const Wide half = static_cast<Wide>(1) << (shift - 1);
        if (rest == half) return 0;
        digits = static_cast<std::uint64_t>(whole) + (rest > half ? 1 : 0);
        break;
    }
    if (digits == 1000000000000000ull) {  // rounded up to the next power of ten
        digits /= 10;
        ++exponent;
        if (exponent == 15) return 0;  // 1E+15
    }
    // The digits as the bytes of one wide integer, the first digit lowest, then a zero byte.
    const std::uint64_t high = DigitBytes(static_cast<std::uint32_t>(digits / 100000000u));
    const std::uint64_t low = DigitBytes(static_cast<std::uint32_t>(digits % 100000000u));
    const int trailingZeros = low != 0 ? std::countl_zero(low) / 8 : 8 + std::countl_zero(high) / 8;
    const int count = 15 - trailingZeros;
    constexpr std::uint64_t kZeros = 0x3030303030303030u;
    const Wide text = (static_cast<Wide>(low | kZeros) << 64 | (high | kZeros)) >> 8;
    auto bytes = [](int n) { return (static_cast<Wide>(1) << (8 * n)) - 1; };

    char* out = buf;
    if (v < 0) *out++ = '-';
    if (exponent >= 0) {
        Wide chars;
        int length;
        if (count <= exponent + 1) {  // ddd000: the digits after count are zeros already
            chars = text & bytes(exponent + 1);
            length = exponent + 1;
        } else {  // ddd.ddd
            const int whole = exponent + 1;
            chars = (text & bytes(whole)) | static_cast<Wide>('.') << (8 * whole) |
                    (text >> (8 * whole) & bytes(count - whole)) << (8 * (whole + 1));
            length = count + 1;
        }
        std::memcpy(out, &chars, sizeof chars);
        return static_cast<int>(out - buf) + length;
    }
    char digitText[16];
    std::memcpy(digitText, &text, sizeof text);
    if (exponent < -4) {  // d.dddE-xx
        *out++ = digitText[0];
        if (count > 1) {
            *out++ = '.';
            for (int i = 1; i < count; ++i) *out++ = digitText[i];
        }
        *out++ = 'E';
        *out++ = '-';
        *out++ = static_cast<char>('0' + -exponent / 10);
        *out++ = static_cast<char>('0' + -exponent % 10);
    } else {  // 0.000ddd
        *out++ = '0';
        *out++ = '.';
        for (int i = -1; i > exponent; --i) *out++ = '0';
        for (int i = 0; i < count; ++i) *out++ = digitText[i];
    }
    return static_cast<int>(out - buf);
}

// Writes v into buf (kNumberChars bytes) and returns the length.
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
    if (std::fabs(v) < 1e15 && static_cast<double>(static_cast<long long>(v)) == v) {
        const auto r = std::to_chars(buf, buf + kNumberChars, static_cast<long long>(v));
        return static_cast<int>(r.ptr - buf);
    }
    if (const int n = FifteenDigitsExactly(v, buf); n > 0) return n;
    const auto r = std::to_chars(buf, buf + kNumberChars, v, std::chars_format::general, 15);
    for (char* p = buf; p != r.ptr; ++p)
        if (*p == 'e') *p = 'E';
    return static_cast<int>(r.ptr - buf);
}

}  // namespace

QString FormatNumber(double v) {
    char buf[kNumberChars];
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
