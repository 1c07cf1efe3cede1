#include "windows/project/dialogpicture.h"

#include "platform/jpeg.h"

#include <QFile>

namespace kv {

const QImage &dialogPicture()
{
    static const QImage picture = [] {
        QFile file(QStringLiteral(":/resources/picture.jpg"));
        if (!file.open(QIODevice::ReadOnly))
            return QImage();
        return decodeJpeg(file.readAll());
    }();
    return picture;
}

QString dialogPictureDescription()
{
    return QStringLiteral("Лист бумаги с карандашом");
}

} // namespace kv
