#include "text/filenames.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace kv::fileNames {
namespace {

QString &driveRootSetting()
{
    static QString root;
    return root;
}

bool isDriveName(const QString &name)
{
    return name.size() >= 2 && name.at(1) == u':' && name.at(0).isLetter() && name.at(0).unicode() < 0x80;
}

#ifndef Q_OS_WIN
// The entry of `folder` named `component`, matched exactly or else without
// regard to ASCII case; empty when there is none.
QString matchInFolder(const QString &folder, const QString &component)
{
    if (QFileInfo::exists(folder + u'/' + component) || QFileInfo(folder + u'/' + component).isSymLink())
        return component;
    QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    std::sort(entries.begin(), entries.end()); // byte order of the names, as UTF-16 keeps it for ASCII
    const auto it = std::find_if(entries.cbegin(), entries.cend(), [&](const QString &entry) {
        if (entry.size() != component.size())
            return false;
        for (qsizetype i = 0; i < entry.size(); ++i) {
            const char16_t a = entry.at(i).unicode(), b = component.at(i).unicode();
            if (a == b)
                continue;
            if (a >= 0x80 || b >= 0x80 || QChar::toLower(a) != QChar::toLower(b))
                return false;
        }
        return true;
    });
    return it == entries.cend() ? QString() : *it;
}
#endif

} // namespace

QString driveRoot()
{
    const QString &root = driveRootSetting();
    if (!root.isEmpty())
        return root;
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/kvarnis/drive_c");
}

void setDriveRoot(const QString &folder)
{
    driveRootSetting() = folder;
}

QString resolve(const QString &name)
{
    // A name that already exists as spelled (a path chosen in the file
    // dialog, say) is taken as it stands: a "\" there is part of a name.
    if (!name.isEmpty() && !isDriveName(name)) {
        const QFileInfo asIs(name);
        if (asIs.exists() || asIs.isSymLink())
            return asIs.absoluteFilePath();
    }

    QString base;
    QString rest = name;
    if (isDriveName(name)) {
        const QChar drive = name.at(0).toUpper();
        base = drive == u'C' ? driveRoot() : QFileInfo(driveRoot()).path() + QStringLiteral("/drive_") + drive.toLower();
        rest = name.mid(2);
    } else if (name.startsWith(u'/') || name.startsWith(u'\\')) {
        base = QDir::rootPath();
    } else {
        base = QDir::currentPath();
    }
#ifdef Q_OS_WIN
    return QDir::cleanPath(base + u'/' + QString(rest).replace(u'\\', u'/'));
#else
    const QStringList components = rest.split(QRegularExpression(QStringLiteral("[\\\\/]")), Qt::SkipEmptyParts);
    QString path = QDir::cleanPath(base);
    bool matching = true; // once a folder is missing, nothing below it can be matched
    for (const QString &component : components) {
        if (component == u'.')
            continue;
        if (component == QStringLiteral("..")) {
            path = QFileInfo(path).path();
            continue;
        }
        QString spelled = component;
        if (matching) {
            const QString found = matchInFolder(path, component);
            if (found.isEmpty())
                matching = false;
            else
                spelled = found;
        }
        path = path == u'/' ? path + spelled : path + u'/' + spelled;
    }
    return path;
#endif
}

} // namespace kv::fileNames
