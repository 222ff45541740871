#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A fresh, empty XDG config folder for one test: XDG_CONFIG_HOME points into
// a temporary folder while the object lives and is put back afterwards.
class TTempConfigHome final
{
    Q_DISABLE_COPY_MOVE(TTempConfigHome)
public:
    TTempConfigHome();
    ~TTempConfigHome();

    // The config home itself (it does not exist until something creates it).
    QString Path() const { return home_; }
    // The temporary folder around it, free for the test's other files.
    QString Scratch() const { return dir_.path(); }

    // Writes a file below the config home, creating its folders.
    void WriteFile(const QString& relativePath, const QByteArray& contents) const;

private:
    QTemporaryDir dir_;
    QString home_;
    QByteArray previous_;
    bool hadPrevious_;
};
