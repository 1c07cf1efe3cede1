#include "text/errors.h"

#include <cstring>

namespace kv {

Error::Error(const QString &message)
    : std::runtime_error(message.toStdString())
{
}

QString withFinalPeriod(const QString &message)
{
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + u'.';
    return message;
}

QString trimmedReason(QString reason)
{
    while (!reason.isEmpty()) {
        const QChar c = reason.back();
        if (c != u' ' && c != u'\t' && c != u'\r' && c != u'\n' && c != u'.')
            break;
        reason.chop(1);
    }
    return reason;
}

QString systemReason(int errnoValue)
{
    return trimmedReason(QString::fromLocal8Bit(std::strerror(errnoValue)));
}

Error cannotOpenFile(const QString &fullPath, const QString &reason)
{
    return Error(QStringLiteral("Cannot open file \"%1\". %2").arg(fullPath, trimmedReason(reason)));
}

Error cannotCreateFile(const QString &fullPath, const QString &reason)
{
    return Error(QStringLiteral("Cannot create file \"%1\". %2").arg(fullPath, trimmedReason(reason)));
}

Error streamWriteError()
{
    return Error(QStringLiteral("Stream write error"));
}

Error textExceedsCapacity()
{
    return Error(QStringLiteral("Text exceeds memo capacity"));
}

} // namespace kv
