#include "ProgramDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

ProgramDir::ProgramDir()
{
    QDir(m_dir.path()).mkpath(QStringLiteral("Profiles"));
}

QString ProgramDir::path() const
{
    return m_dir.path() + QLatin1Char('/');
}

QString ProgramDir::write(const QString& relativePath, const QByteArray& bytes) const
{
    const QString file = path() + relativePath;
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile out(file);
    if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        out.write(bytes);
    return file;
}

QByteArray ProgramDir::read(const QString& relativePath) const
{
    QFile in(path() + relativePath);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

QString ProgramDir::writeProfile(const QString& name, const QStringList& lines) const
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    return write(QStringLiteral("Profiles/") + name + QStringLiteral(".apf"), bytes);
}

void ProgramDir::copyShippedProfiles() const
{
    const QDir shipped(QStringLiteral(FW_SOURCE_DIR "/resources/profiles"));
    for (const QString& name : shipped.entryList({QStringLiteral("*.apf")}, QDir::Files))
        QFile::copy(shipped.filePath(name), profileFolder() + name);
}

bool ProgramDir::installAdapter() const
{
    QFile::remove(encoderPath());
    return QFile::copy(QStringLiteral(FW_ADAPTER_PATH), encoderPath()) &&
           QFile(encoderPath()).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                               QFile::ReadGroup | QFile::ExeGroup);
}

QString ProgramDir::installFakeEncoder(const QByteArray& script) const
{
    const QString file = write(QStringLiteral("wmaspi.dll"), script);
    QFile(file).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return file;
}
