#pragma once
// What the download tests share: the folder "C:\temp" the downloads go to,
// and the progress box of the real desktop services.
#include "support/testenv.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class QDialog;

namespace kv::test {

// The folder that stands for "C:\temp" in `env`.
QString tempFolder(const TestEnv &env);
// Everything in "C:\temp", hidden files included.
QStringList tempEntries(const TestEnv &env);
// The bytes of the file at `path`; empty when it cannot be read.
QByteArray readFile(const QString &path);

// The download progress box while it is shown, else nullptr.
QDialog *shownProgressBox();

} // namespace kv::test
