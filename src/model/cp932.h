#pragma once
// Conversion between the program's texts and the Japanese code page 932 in which its files are
// stored. ASCII passes straight through; everything else goes through iconv.

#include <QByteArray>
#include <QString>

// Characters that code page 932 cannot hold become "?".
QByteArray ToCp932(QStringView text);
// Bytes that are not valid code page 932 become U+FFFD.
QString FromCp932(const char* bytes, qsizetype length);
inline QString FromCp932(const QByteArray& bytes) {
    return FromCp932(bytes.constData(), bytes.size());
}

// Width of a text in half-width cells: double-byte characters of code page 932 count 2, all
// other characters (half-width katakana and characters it cannot hold included) count 1.
int TextWidthUnits(QStringView text);
