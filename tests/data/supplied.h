#pragma once
// What the tests of the supplied files stand on: where the build laid out the
// supplied folder, where the sources are, and folder trees to compare.
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTest>

namespace kv::test::supplied {

// The build folder: the test programs are built in its folder "tests".
inline QString buildDir()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/.."));
}

// A value of the build's CMakeCache.txt, e.g. "CMAKE_COMMAND".
inline QString cacheValue(const QString &name)
{
    QFile cache(buildDir() + QStringLiteral("/CMakeCache.txt"));
    if (!cache.open(QIODevice::ReadOnly))
        return {};
    const QRegularExpression entry(QStringLiteral("^%1:[A-Z]+=(.*)$").arg(QRegularExpression::escape(name)));
    while (!cache.atEnd()) {
        const QRegularExpressionMatch m = entry.match(QString::fromUtf8(cache.readLine()).trimmed());
        if (m.hasMatch())
            return m.captured(1);
    }
    return {};
}

inline QString sourceDir()
{
    return cacheValue(QStringLiteral("kvarnis_SOURCE_DIR"));
}

// The working folder as the build stages it.
inline QString stagedDir()
{
    return buildDir() + QStringLiteral("/supplied");
}

// Every file below `folder`, as paths relative to it with '/'.
inline QStringList filesBelow(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(folder).relativeFilePath(it.next()));
    files.sort();
    return files;
}

// A folder tree: relative path -> content for a file, "<folder>" for a
// folder, "<link> target" for a symbolic link.
using Tree = QMap<QString, QByteArray>;

inline Tree tree(const QString &folder)
{
    Tree t;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        const QString relative = QDir(folder).relativeFilePath(path);
        if (info.isSymLink()) {
            t.insert(relative, "<link> " + info.symLinkTarget().toUtf8());
        } else if (info.isDir()) {
            t.insert(relative, "<folder>");
        } else {
            QFile f(path);
            t.insert(relative, f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>"));
        }
    }
    return t;
}

// The differences of two trees, one line each; empty when they are equal.
inline QString differences(const Tree &actual, const Tree &expected)
{
    QStringList lines;
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        if (!actual.contains(it.key()))
            lines.append(QStringLiteral("missing: ") + it.key());
        else if (actual.value(it.key()) != it.value())
            lines.append(QStringLiteral("changed: ") + it.key());
    }
    for (auto it = actual.cbegin(); it != actual.cend(); ++it) {
        if (!expected.contains(it.key()))
            lines.append(QStringLiteral("unexpected: ") + it.key());
    }
    return lines.join(u'\n');
}

// Copies a folder tree (files and folders).
inline bool copyTree(const QString &from, const QString &to)
{
    if (!QDir().mkpath(to))
        return false;
    for (const QString &relative : filesBelow(from)) {
        const QString target = to + u'/' + relative;
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(from + u'/' + relative, target))
            return false;
        QFile::setPermissions(target, QFile::permissions(from + u'/' + relative) | QFileDevice::WriteOwner);
    }
    return true;
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace kv::test::supplied
