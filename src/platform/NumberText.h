#pragma once

#include <QString>

// Number conversions with the exact rules the stored files and time texts
// rely on, independent of the user's locale.

// A whole number as the platform's integer conversion reads it: optional
// leading blanks, an optional sign, then decimal digits, or hexadecimal
// digits after "$", "x", "X", "0x" or "0X". Nothing may follow the digits,
// and the value must fit a signed 32-bit integer.
int StrToInt32(QStringView text, bool* ok);

// A decimal number with "." as the decimal mark whatever the locale:
// optional blanks around it, optional sign, digits, optional fraction and
// exponent. Used for the seconds of time texts and the encoder's progress.
double StrToFloatDot(QStringView text, bool* ok);

// The decimal text of an integer, no leading zeros, "-" for negatives.
QString IntToStr(qint64 value);

// Rounds to the nearest whole number, ties to the even neighbour (12.5 -> 12,
// 13.5 -> 14): the rounding used everywhere in the program.
qint64 RoundHalfEven(double value);
