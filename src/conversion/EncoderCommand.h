#pragma once

#include <QString>
#include <QStringList>

// One encoder command line in the two forms it lives in: the text the
// encoder contract defines (it begins with a blank and names no program),
// and the argument list that is actually launched, without any shell, so
// that every path reaches the encoder as one argument whatever it holds.
struct EncoderCommand {
    QString text;
    QStringList arguments;
};

// text: " -i " + dq + path + dq; arguments: "-i", path.
EncoderCommand ProbeCommand(const QString& path);

// text: " -y -i " + dq + input + dq + options + " " + dq + output + dq;
// arguments: "-y", "-i", input, the options split by SplitCommandLine, output.
EncoderCommand ConvertCommand(const QString& input, const QString& options, const QString& output);

// Splits switch text into arguments at blanks and tabs. A double quote
// starts or ends a group in which blanks do not split (the quotes are
// removed, and "" inside a group stands for one literal quote); nothing
// else has a meaning, so "$", ";" and backticks are ordinary characters.
QStringList SplitCommandLine(const QString& options);
