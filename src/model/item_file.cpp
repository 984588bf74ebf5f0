#include "model/item_file.h"

#include "model/cp932.h"
#include "model/numeric_text.h"

#include <charconv>
#include <cmath>

void ItemWriter::Separate() {
    if (lineStarted_) out_.append(',');
    lineStarted_ = true;
}

void ItemWriter::Int(int v) {
    Separate();
    char buf[16];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out_.append(buf, r.ptr - buf);
}

void ItemWriter::Double(double v) {
    Separate();
    AppendNumber(out_, v);
}

void ItemWriter::String(QStringView s) {
    Separate();
    out_.append('"');
    out_.append(encoding_ == TextEncoding::Utf8 ? s.toUtf8() : ToCp932(s));
    out_.append('"');
}

void ItemWriter::Bool(bool v) {
    Separate();
    out_.append(v ? "#TRUE#" : "#FALSE#");
}

void ItemWriter::EndLine() {
    out_.append("\r\n", 2);
    lineStarted_ = false;
}

ItemReader::ItemReader(QByteArray data, TextEncoding encoding)
    : data_(std::move(data)), encoding_(encoding) {}

void ItemReader::SkipBlanks() {
    while (pos_ < data_.size() && (data_[pos_] == ' ' || data_[pos_] == '\t')) ++pos_;
}

bool ItemReader::AtLineEnd() const {
    return pos_ < data_.size() && (data_[pos_] == '\r' || data_[pos_] == '\n');
}

void ItemReader::SkipLineEnds() {
    while (true) {
        SkipBlanks();
        if (!AtLineEnd()) return;
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
    if (pos_ >= data_.size()) return t;
    t.present = true;
    if (data_[pos_] == '"') {
        t.quoted = true;
        t.begin = ++pos_;
        const qsizetype close = data_.indexOf('"', pos_);
        if (close < 0) {
            t.closed = false;
            t.end = pos_ = data_.size();
            return t;
        }
        t.end = close;
        pos_ = close + 1;
        // Anything between the closing quote and the separator is ignored.
        while (pos_ < data_.size() && data_[pos_] != ',' && !AtLineEnd()) ++pos_;
    } else {
        t.begin = pos_;
        while (pos_ < data_.size() && data_[pos_] != ',' && !AtLineEnd()) ++pos_;
        t.end = pos_;
        while (t.end > t.begin && (data_[t.end - 1] == ' ' || data_[t.end - 1] == '\t')) --t.end;
    }
    if (pos_ < data_.size() && data_[pos_] == ',') ++pos_;
    return t;
}

bool ItemReader::ReadDouble(double& v) {
    const Token t = Next();
    if (!t.present || t.quoted) return false;
    if (t.end == t.begin) {  // an empty item reads as zero
        v = 0;
        return true;
    }
    double d = 0;
    if (!ParseWholeNumber(data_.constData() + t.begin, static_cast<std::size_t>(t.end - t.begin),
                          d) ||
        !std::isfinite(d))
        return false;
    v = d;
    return true;
}

bool ItemReader::ReadInt(Integer& v) {
    double d = 0;
    if (!ReadDouble(d)) return false;
    d = RoundHalfEven(d);
    if (!FitsInt16(d)) return false;
    v = static_cast<Integer>(d);
    return true;
}

bool ItemReader::ReadString(QString& v) {
    const Token t = Next();
    if (!t.present || !t.closed) return false;
    const char* begin = data_.constData() + t.begin;
    const qsizetype length = t.end - t.begin;
    v = encoding_ == TextEncoding::Utf8 ? QString::fromUtf8(begin, length)
                                        : FromCp932(begin, length);
    return true;
}

bool ItemReader::ReadBool(bool& v) {
    const Token t = Next();
    if (!t.present || t.quoted) return false;
    const QByteArrayView item(data_.constData() + t.begin, t.end - t.begin);
    if (item == "#TRUE#") {
        v = true;
        return true;
    }
    if (item == "#FALSE#") {
        v = false;
        return true;
    }
    return false;
}
