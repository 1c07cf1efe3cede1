#include "platform/pictures.h"

#include <QFile>

namespace kv {

QIcon picture(const char *themeName)
{
    const QString name = QString::fromLatin1(themeName);
    const QString bundled = QStringLiteral(":/resources/icons/%1.png").arg(name);
    return QIcon::fromTheme(name, QFile::exists(bundled) ? QIcon(bundled) : QIcon());
}

} // namespace kv
