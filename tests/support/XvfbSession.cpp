#include "XvfbSession.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QThread>

XvfbSession::XvfbSession() = default;

XvfbSession::~XvfbSession()
{
    for (QProcess* p : {&program_, &xvfb_}) {
        if (p->state() != QProcess::NotRunning) {
            p->terminate();
            if (!p->waitForFinished(5000)) {
                p->kill();
                p->waitForFinished(5000);
            }
        }
    }
}

bool XvfbSession::Start()
{
    // -displayfd 1: Xvfb picks a free display and writes its number on standard output.
    xvfb_.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                          QStringLiteral("0"), QStringLiteral("1024x768x24"),
                                          QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!xvfb_.waitForStarted(10000)) {
        error_ = QStringLiteral("cannot start Xvfb: ") + xvfb_.errorString();
        return false;
    }
    QByteArray number;
    QElapsedTimer clock;
    clock.start();
    while (!number.contains('\n') && clock.elapsed() < 20000 && xvfb_.state() == QProcess::Running) {
        xvfb_.waitForReadyRead(500);
        number += xvfb_.readAllStandardOutput();
    }
    if (!number.contains('\n')) {
        error_ = QStringLiteral("Xvfb gave no display: ") + QString::fromLocal8Bit(xvfb_.readAllStandardError());
        return false;
    }
    display_ = QLatin1Char(':') + QString::fromLatin1(number.trimmed());
    return true;
}

bool XvfbSession::Launch(const QString& program, const QList<std::pair<QString, QString>>& variables)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.insert(QStringLiteral("DISPLAY"), display_);
    for (const auto& [name, value] : variables) {
        if (value.isNull())
            env.remove(name);
        else
            env.insert(name, value);
    }
    program_.setProcessEnvironment(env);
    program_.start(program, {});
    return program_.waitForStarted(10000);
}

int XvfbSession::Run(const QString& tool, const QStringList& arguments, QByteArray* out, int timeoutMs)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    p.setProcessEnvironment(env);
    p.start(tool, arguments);
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return -1;
    }
    if (out)
        *out = p.readAllStandardOutput();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

QStringList XvfbSession::Windows(const QString& title)
{
    QByteArray out;
    const QString pattern = QLatin1Char('^') + QRegularExpression::escape(title) + QLatin1Char('$');
    if (Run(QStringLiteral("xdotool"),
            {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), pattern}, &out) != 0)
        return {};
    return QString::fromLatin1(out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QString XvfbSession::WaitForWindow(const QString& title, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs && program_.state() == QProcess::Running) {
        const QStringList found = Windows(title);
        if (!found.isEmpty())
            return found.constFirst();
        QThread::msleep(100);
    }
    return QString();
}

bool XvfbSession::Keys(const QString& window, const QStringList& keys)
{
    // No window manager runs here: focus the window directly instead of activating it.
    if (Run(QStringLiteral("xdotool"), {QStringLiteral("windowfocus"), QStringLiteral("--sync"), window}) != 0)
        return false;
    for (const QString& key : keys) {
        if (Run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("50"), key}) != 0)
            return false;
        // A mnemonic press clicks through an animation of about 100 ms; give each key its turn.
        QThread::msleep(300);
    }
    return true;
}

bool XvfbSession::Screenshot(const QString& path)
{
    return Run(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), path}) == 0;
}

bool XvfbSession::WaitForExit(int timeoutMs)
{
    return program_.state() == QProcess::NotRunning || program_.waitForFinished(timeoutMs);
}
