#include "support/downloads.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QProgressBar>

namespace kv::test {

QString tempFolder(const TestEnv &env)
{
    return env.driveRoot() + QStringLiteral("/temp");
}

QStringList tempEntries(const TestEnv &env)
{
    return QDir(tempFolder(env)).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QDialog *shownProgressBox()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *box = qobject_cast<QDialog *>(widget);
        if (box && box->isVisible() && box->findChild<QProgressBar *>())
            return box;
    }
    return nullptr;
}

} // namespace kv::test
