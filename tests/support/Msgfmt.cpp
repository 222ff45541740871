#include "Msgfmt.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

QByteArray Msgfmt(const QByteArray& po, const QStringList& extraArguments)
{
    QTemporaryDir dir;
    QFile source(dir.filePath(QStringLiteral("c.po")));
    if (!source.open(QIODevice::WriteOnly) || source.write(po) != po.size())
        return {};
    source.close();
    QProcess msgfmt;
    msgfmt.start(QStringLiteral("msgfmt"),
                 QStringList{QStringLiteral("-o"), dir.filePath(QStringLiteral("c.mo"))} + extraArguments +
                     QStringList{source.fileName()});
    if (!msgfmt.waitForFinished(30000) || msgfmt.exitCode() != 0)
        return {};
    QFile mo(dir.filePath(QStringLiteral("c.mo")));
    return mo.open(QIODevice::ReadOnly) ? mo.readAll() : QByteArray();
}

QByteArray PoHeader(const QByteArray& charset)
{
    QByteArray header = "msgid \"\"\nmsgstr \"\"\n\"MIME-Version: 1.0\\n\"\n";
    if (!charset.isEmpty())
        header += "\"Content-Type: text/plain; charset=" + charset + "\\n\"\n";
    return header + "\n";
}
