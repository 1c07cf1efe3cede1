// Saves two large pages in turn to one file until it is killed; the fault
// tests kill it at random moments.
//   kvarnis_test_saver FOLDER BYTES
#include "text/textfile.h"

#include <QCoreApplication>
#include <QDir>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QDir::setCurrent(args.value(1));
    const qsizetype bytes = args.value(2).toLongLong();
    const QByteArray pages[2] = {QByteArray(bytes, 'a'), QByteArray(bytes, 'b')};
    for (unsigned long n = 0;; ++n)
        kv::saveBytes(pages[n % 2], QStringLiteral("page.txt"));
}
