#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A temporary program directory for one test: its own Profiles folder,
// Preferences.ini and encoder, never the build folder.
class ProgramDir
{
public:
    ProgramDir();

    bool isValid() const { return m_dir.isValid(); }
    // The folder, ending in a separator.
    QString path() const;
    // What the main window gets as its program file.
    QString programFile() const { return path() + QStringLiteral("framewright"); }
    QString profileFolder() const { return path() + QStringLiteral("Profiles/"); }
    QString preferencesFile() const { return path() + QStringLiteral("Preferences.ini"); }
    QString encoderPath() const { return path() + QStringLiteral("wmaspi.dll"); }

    // Writes a file below the program directory (relative path), creating folders.
    QString write(const QString& relativePath, const QByteArray& bytes) const;
    QByteArray read(const QString& relativePath) const;
    // Writes a profile into Profiles/ (lines joined with CR LF).
    QString writeProfile(const QString& name, const QStringList& lines) const;
    // Copies the shipped profiles into Profiles/.
    void copyShippedProfiles() const;
    // Puts the real adapter in place as the encoder.
    bool installAdapter() const;
    // Installs an executable script as the encoder (a fake that misbehaves on purpose).
    QString installFakeEncoder(const QByteArray& script) const;

private:
    QTemporaryDir m_dir;
};
