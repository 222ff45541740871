#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// A private X server (Xvfb) and the program under test shown on it, driven by
// xdotool as a user's keyboard would drive it. Everything stops with the object.
class XvfbSession final
{
public:
    XvfbSession();
    ~XvfbSession();
    XvfbSession(const XvfbSession&) = delete;
    XvfbSession& operator=(const XvfbSession&) = delete;

    // False when Xvfb could not be started; Error() says why.
    bool Start();
    QString Display() const { return display_; }
    QString Error() const { return error_; }

    // Starts program on this display with the given variables added to (or, when
    // empty, removed from) the test's environment.
    bool Launch(const QString& program, const QList<std::pair<QString, QString>>& variables);
    QProcess& Program() { return program_; }

    // Waits until a visible window titled exactly title exists; returns its id or "".
    QString WaitForWindow(const QString& title, int timeoutMs = 30000);
    // The visible windows titled exactly title, now.
    QStringList Windows(const QString& title);
    // Focuses window and types the keys (xdotool names: "alt+f", "Return").
    bool Keys(const QString& window, const QStringList& keys);
    // A PNG of the whole screen.
    bool Screenshot(const QString& path);

    // Waits for the program to end; false on time-out.
    bool WaitForExit(int timeoutMs);

private:
    int Run(const QString& tool, const QStringList& arguments, QByteArray* out = nullptr, int timeoutMs = 20000);

    QProcess xvfb_;
    QProcess program_;
    QString display_;
    QString error_;
};
