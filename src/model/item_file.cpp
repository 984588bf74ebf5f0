#include "model/item_file.h"

#include "model/cp932.h"
#include "model/numeric_text.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

char* ItemWriter::Grow(qsizetype n) {
    out_.resize(std::max(used_ + n, 2 * used_ + 4096));
    room_ = out_.size();
    at_ = out_.data();
    return at_ + used_;
}

const QByteArray& ItemWriter::Bytes() const {
    if (out_.size() != used_) out_.truncate(used_);
    room_ = 0;  // a copy of the bytes may now share them: the next write makes room anew
    return out_;
}

void ItemWriter::Int(int v) {
    Separate();
    char* to = Room(16);
    used_ += std::to_chars(to, to + 16, v).ptr - to;
}

void ItemWriter::Double(double v) {
    Separate();
    used_ += WriteNumber(Room(kNumberChars), v);
}

void ItemWriter::String(QStringView s) {
    Separate();
    bool ascii = true;
    for (const QChar c : s) ascii = ascii && c.unicode() < 0x80;
    if (ascii) {  // the same bytes in either encoding
        char* to = Room(s.size() + 2);
        *to++ = '"';
        for (const QChar c : s) *to++ = static_cast<char>(c.unicode());
        *to = '"';
        used_ += s.size() + 2;
        return;
    }
    const QByteArray bytes = encoding_ == TextEncoding::Utf8 ? s.toUtf8() : ToCp932(s);
    char* to = Room(bytes.size() + 2);
    *to++ = '"';
    std::memcpy(to, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    to[bytes.size()] = '"';
    used_ += bytes.size() + 2;
}

void ItemWriter::Bool(bool v) {
    Separate();
    const char* text = v ? "#TRUE#" : "#FALSE#";
    const qsizetype n = v ? 6 : 7;
    std::memcpy(Room(n), text, static_cast<std::size_t>(n));
    used_ += n;
}

void ItemWriter::EndLine() {
    std::memcpy(Room(2), "\r\n", 2);
    used_ += 2;
    lineStarted_ = false;
}

ItemReader::ItemReader(QByteArray data, TextEncoding encoding)
    : data_(std::move(data)), encoding_(encoding) {}

namespace {

// Where an unquoted item ends.
bool EndsItem(char c) {
    return c == ',' || c == '\r' || c == '\n';
}

}  // namespace

void ItemReader::SkipBlanks() {
    const char* d = data_.constData();
    const qsizetype n = data_.size();
    while (pos_ < n && (d[pos_] == ' ' || d[pos_] == '\t')) ++pos_;
}

bool ItemReader::AtLineEnd() const {
    return pos_ < data_.size() && (data_[pos_] == '\r' || data_[pos_] == '\n');
}

void ItemReader::SkipLineEnds() {
    const char* d = data_.constData();
    const qsizetype n = data_.size();
    while (pos_ < n) {
        const char c = d[pos_];
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return;
        ++pos_;
    }
}

bool ItemReader::AtEnd() {
    SkipLineEnds();
    return pos_ >= data_.size();
}

ItemReader::Token ItemReader::Next() {
    Token t;
    SkipLineEnds();
    const char* d = data_.constData();
    const qsizetype n = data_.size();
    if (pos_ >= n) return t;
    t.present = true;
    if (d[pos_] == '"') {
        t.quoted = true;
        t.begin = ++pos_;
        const void* close = std::memchr(d + pos_, '"', static_cast<std::size_t>(n - pos_));
        if (!close) {
            t.closed = false;
            t.end = pos_ = n;
            return t;
        }
        t.end = static_cast<const char*>(close) - d;
        pos_ = t.end + 1;
        // Anything between the closing quote and the separator is ignored.
        while (pos_ < n && !EndsItem(d[pos_])) ++pos_;
    } else {
        t.begin = pos_;
        while (pos_ < n && !EndsItem(d[pos_])) ++pos_;
        t.end = pos_;
        while (t.end > t.begin && (d[t.end - 1] == ' ' || d[t.end - 1] == '\t')) --t.end;
    }
    if (pos_ < n && d[pos_] == ',') ++pos_;
    return t;
}

namespace {

// Whether the 8 bytes (in memory order) are all decimal digits.
bool EightDigits(std::uint64_t bytes) {
    return (bytes & 0xF0F0F0F0F0F0F0F0u) == 0x3030303030303030u &&
           ((bytes + 0x0606060606060606u) & 0xF0F0F0F0F0F0F0F0u) == 0x3030303030303030u;
}

// The number the 8 digits write, the first in memory the highest: pairs, then fours, then all,
// each step in one multiplication.
std::uint64_t EightDigitsValue(std::uint64_t bytes) {
    bytes -= 0x3030303030303030u;
    bytes = bytes * 10 + (bytes >> 8);
    return (((bytes & 0x000000FF000000FFu) * 0x000F424000000064u) +
            (((bytes >> 16) & 0x000000FF000000FFu) * 0x0000271000000001u)) >>
           32;
}

// Adds the digits from p on to m, eight at a time where they are, and counts them into digits;
// stops after the first 16 at the latest.
void TakeDigits(const char* d, qsizetype n, qsizetype& p, std::int64_t& m, int& digits) {
    while (p + 8 <= n && digits <= 8) {
        std::uint64_t bytes;
        std::memcpy(&bytes, d + p, 8);
        if constexpr (std::endian::native != std::endian::little) break;
        if (!EightDigits(bytes)) break;
        m = m * 100000000 + static_cast<std::int64_t>(EightDigitsValue(bytes));
        digits += 8;
        p += 8;
    }
    for (; p < n && digits <= 15 && d[p] >= '0' && d[p] <= '9'; ++p, ++digits)
        m = m * 10 + (d[p] - '0');
}

}  // namespace

bool ItemReader::ReadPlainNumber(double& v) {
    SkipLineEnds();
    const char* d = data_.constData();
    const qsizetype n = data_.size();
    qsizetype p = pos_;
    bool negative = false;
    if (p < n && (d[p] == '-' || d[p] == '+')) negative = d[p++] == '-';
    std::int64_t m = 0;
    int digits = 0, fraction = 0;
    TakeDigits(d, n, p, m, digits);
    if (p < n && d[p] == '.' && digits <= 15) {
        ++p;
        const int whole = digits;
        TakeDigits(d, n, p, m, digits);
        fraction = digits - whole;
    }
    if (digits == 0 || digits > 15 || (p < n && !EndsItem(d[p]))) return false;
    // The digits as a whole number over a power of ten, both exact: the division rounds right.
    const double value =
        fraction > 0 ? static_cast<double>(m) / kExactPowers[fraction] : static_cast<double>(m);
    v = negative ? -value : value;
    pos_ = p < n && d[p] == ',' ? p + 1 : p;
    return true;
}

bool ItemReader::ReadDouble(double& v) {
    // Most items are plain numbers, read as they are scanned; the rest go the whole way.
    if (ReadPlainNumber(v)) return true;
    const Token t = Next();
    if (!t.present || t.quoted) return Failed();
    if (t.end == t.begin) {  // an empty item reads as zero
        v = 0;
        return true;
    }
    double d = 0;
    if (!ParseWholeNumber(data_.constData() + t.begin, static_cast<std::size_t>(t.end - t.begin),
                          d) ||
        !std::isfinite(d))
        return Failed();
    v = d;
    return true;
}

bool ItemReader::ReadInt(Integer& v) {
    double d = 0;
    if (!ReadDouble(d)) return false;
    d = RoundHalfEven(d);
    if (!FitsInt16(d)) return Failed();
    v = static_cast<Integer>(d);
    return true;
}

bool ItemReader::ReadString(QString& v) {
    const Token t = Next();
    if (!t.present || !t.closed) return Failed();
    const char* begin = data_.constData() + t.begin;
    const qsizetype length = t.end - t.begin;
    v = encoding_ == TextEncoding::Utf8 ? QString::fromUtf8(begin, length)
                                        : FromCp932(begin, length);
    return true;
}

bool ItemReader::ReadBool(bool& v) {
    const Token t = Next();
    if (!t.present || t.quoted) return Failed();
    const QByteArrayView item(data_.constData() + t.begin, t.end - t.begin);
    if (item == "#TRUE#") {
        v = true;
        return true;
    }
    if (item == "#FALSE#") {
        v = false;
        return true;
    }
    return Failed();
}
