#pragma once
// Reading and writing the program's text files as comma-separated items: quoted strings,
// numbers, #TRUE#/#FALSE#, CR LF line ends and code page 932 text (or UTF-8, which only the
// settings file uses, for paths code page 932 cannot hold). Diagram files and the settings file
// both go through these two classes; they know nothing of what the items mean.

#include "model/records.h"

#include <QByteArray>
#include <QString>

enum class TextEncoding { Cp932, Utf8 };

class ItemWriter {
public:
    explicit ItemWriter(TextEncoding encoding = TextEncoding::Cp932) : encoding_(encoding) {}

    void Int(int v);
    void Double(double v);
    void String(QStringView s);  // written between double quotes, nothing escaped
    void Bool(bool v);           // #TRUE# or #FALSE#
    void EndLine();              // CR LF

    const QByteArray& Bytes() const;

private:
    // Room for n more bytes at the end of the file; the caller then counts those it wrote.
    char* Room(qsizetype n) { return used_ + n <= room_ ? at_ + used_ : Grow(n); }
    char* Grow(qsizetype n);
    void Separate() {
        if (lineStarted_) *Room(1) = ',', ++used_;
        lineStarted_ = true;
    }

    // The file is assembled in one buffer, longer than what is written so far (used_ bytes).
    mutable QByteArray out_;
    mutable qsizetype room_ = 0;  // bytes of out_ that may be written through at_
    char* at_ = nullptr;
    qsizetype used_ = 0;
    bool lineStarted_ = false;
    TextEncoding encoding_;
};

// Each Read takes the next item, wherever its line ends. When the item is missing or does not
// fit the field, the call returns false and leaves the field as it was; the item is used up.
class ItemReader {
public:
    explicit ItemReader(QByteArray data, TextEncoding encoding = TextEncoding::Cp932);

    bool ReadInt(Integer& v);
    bool ReadDouble(double& v);
    bool ReadString(QString& v);
    bool ReadBool(bool& v);
    bool AtEnd();
    // How many reads found their item missing or not fitting.
    int Failures() const { return failures_; }

private:
    struct Token {
        bool present = false;
        bool quoted = false;
        bool closed = true;  // a quoted item found its closing quote
        qsizetype begin = 0, end = 0;
    };
    Token Next();
    // A number of at most 15 digits, sign and decimal point, that fills its item; false (and
    // nothing used up) for any other item.
    bool ReadPlainNumber(double& v);
    void SkipBlanks();
    bool AtLineEnd() const;
    void SkipLineEnds();

    bool Failed() {
        ++failures_;
        return false;
    }

    const QByteArray data_;  // const: reading it never detaches
    qsizetype pos_ = 0;
    int failures_ = 0;
    TextEncoding encoding_;
};
