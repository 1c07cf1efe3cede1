#include "app/title.h"

namespace kv {

QString applicationTitle()
{
    return QStringLiteral("Кварнис");
}

} // namespace kv
