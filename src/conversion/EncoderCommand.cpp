#include "EncoderCommand.h"

namespace {

const QChar Quote = u'"';

QString Quoted(const QString& path) {
    return Quote + path + Quote;
}

} // namespace

EncoderCommand ProbeCommand(const QString& path) {
    return {QStringLiteral(" -i ") + Quoted(path), {QStringLiteral("-i"), path}};
}

EncoderCommand ConvertCommand(const QString& input, const QString& options, const QString& output) {
    QStringList arguments{QStringLiteral("-y"), QStringLiteral("-i"), input};
    arguments << SplitCommandLine(options) << output;
    return {QStringLiteral(" -y -i ") + Quoted(input) + options + u' ' + Quoted(output), arguments};
}

QStringList SplitCommandLine(const QString& options) {
    QStringList arguments;
    QString current;
    bool inArgument = false;
    bool quoted = false;
    for (qsizetype i = 0; i < options.size(); ++i) {
        const QChar c = options.at(i);
        if (c == Quote) {
            if (quoted && i + 1 < options.size() && options.at(i + 1) == Quote) {
                current += Quote;
                ++i;
            } else {
                quoted = !quoted;
            }
            // A pair of quotes with nothing between them is still an argument.
            inArgument = true;
        } else if (!quoted && (c == u' ' || c == u'\t')) {
            if (inArgument)
                arguments << current;
            current.clear();
            inArgument = false;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument)
        arguments << current;
    return arguments;
}
