#pragma once

#include <QString>

// Time texts: hours, minutes and seconds joined by ":", the seconds
// optionally with "." and a fraction (00:01:23.5). Every time the program
// shows or reads goes through these two conversions.

// Seconds of a time text, or exactly -1 when the text is malformed. Hours
// and minutes are whole numbers (hexadecimal after "$", "x" or "0x" too);
// the seconds are a decimal with "." whatever the locale. Parts are not
// range-checked: 00:75:00 and -1:00:00 are read as they stand.
double TimeTextToSeconds(const QString& text);

// The time text of a number of seconds, rounded to tenths (ties to even):
// at least two digits per part, a tenths digit only when it is not zero.
QString SecondsToTimeText(double seconds);
