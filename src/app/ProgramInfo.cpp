#include "app/ProgramInfo.h"

#include "app/TMainForm.h"

#include <QApplication>
#include <QLabel>

const ProgramInfo& TheProgramInfo()
{
    static const ProgramInfo info{
        QStringLiteral("Framewright Batch Video Converter"),
        QStringLiteral("Framewright"),
        QStringLiteral("https://www.framewright.example/"),
        QStringLiteral("https://www.framewright.example/products/"),
        QStringLiteral("Framewright Video Joiner"),
        QStringLiteral("Framewright Video Splitter"),
        QStringLiteral("Framewright Audio Extractor"),
        QStringLiteral("https://www.framewright.example/products/video-joiner/"),
        QStringLiteral("https://www.framewright.example/products/video-splitter/"),
        QStringLiteral("https://www.framewright.example/products/audio-extractor/"),
        QStringLiteral("2026"),
        QStringLiteral("framewright-help.html"),
    };
    return info;
}

QString WithoutFirstWord(const QString& name)
{
    const qsizetype blank = name.indexOf(u' ');
    return blank < 0 ? name : name.mid(blank + 1);
}

void SetUpProgramInformation(TMainForm& form)
{
    const ProgramInfo& info = TheProgramInfo();
    form.HelpFile = form.ProgramDirectory + info.HelpFileName;
    QApplication::setApplicationDisplayName(QString());
    QApplication::setApplicationName(info.ProductName);
    form.setWindowTitle(info.ProductName + QStringLiteral(" V") + form.VersionText);
    form.labProgramName->setText(WithoutFirstWord(info.ProductName));
}
