// Splitting switch text into the encoder's arguments. Whatever the text,
// quoting each argument again and splitting the result must give the same
// arguments, and a text without quotes splits exactly at blanks and tabs.

#include "FuzzCheck.h"
#include "conversion/EncoderCommand.h"

namespace {

// The plain reading of a text without quotes: pieces between blanks and tabs.
QStringList splitAtBlanks(const QString& text)
{
    QStringList pieces;
    QString piece;
    for (const QChar c : text) {
        if (c == u' ' || c == u'\t') {
            if (!piece.isEmpty())
                pieces += piece;
            piece.clear();
        } else {
            piece += c;
        }
    }
    if (!piece.isEmpty())
        pieces += piece;
    return pieces;
}

QString requoted(const QStringList& arguments)
{
    QStringList quoted;
    for (QString argument : arguments)
        quoted += u'"' + argument.replace(u'"', QStringLiteral("\"\"")) + u'"';
    return quoted.join(u' ');
}

void check(const QString& options)
{
    const QStringList arguments = SplitCommandLine(options);
    FUZZ_CHECK(SplitCommandLine(requoted(arguments)) == arguments, "requoted arguments split differently: " + options);
    if (!options.contains(u'"'))
        FUZZ_CHECK(arguments == splitAtBlanks(options), "unquoted text split wrongly: " + options);
    for (const QString& argument : arguments)
        FUZZ_CHECK(options.contains(u'"') || !argument.isEmpty(), "an empty argument without quotes: " + options);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    check(QString::fromUtf8(FuzzBytes(data, size)));
    check(FuzzUtf16(data, size));
    return 0;
}
