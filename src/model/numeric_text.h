#pragma once
// How the program reads numbers out of texts, rounds them and writes them back as texts.
// Every field, operand and file item uses these rules; nothing else in the program parses numbers.

#include <QString>
#include <QStringView>
#include <cstddef>

// Powers of ten that a double holds exactly: a whole number of at most 15 digits divided by one
// of them is correctly rounded.
inline constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                          1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                          1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Reads the leading number of a text: blanks, tabs and line feeds anywhere are ignored; an
// optional sign, digits with one decimal point and an exponent with E or D; "&H" and "&O"
// start hexadecimal and octal integers. A text without a leading number reads 0. Magnitudes
// beyond the double range read as infinity.
double ReadNumber(QStringView text);

// Parses a number that must fill the whole of [text, text + length) (file items). Returns false
// when anything but one decimal number is there.
bool ParseWholeNumber(const char* text, std::size_t length, double& out);

// To the nearest integer, halves to the even neighbour (2.5 gives 2, 3.5 gives 4).
double RoundHalfEven(double v);

// True when v, already whole, fits a 16-bit or a 32-bit signed integer.
bool FitsInt16(double v);
bool FitsInt32(double v);

// Integers plain, other values with at most 15 significant digits and no trailing zeros,
// exponent form such as 1E+20 for very large or very small magnitudes, no leading blank.
QString FormatNumber(double v);
// Writes the same text into out, which has room for kNumberChars bytes, and returns its length.
constexpr int kNumberChars = 32;
int WriteNumber(char* out, double v);

// A single-precision value in general format: up to 7 significant digits (pointer read-out).
QString FormatSingle(float v);
