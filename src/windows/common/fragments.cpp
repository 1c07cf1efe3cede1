#include "windows/common/fragments.h"

namespace kv {

QByteArray joinFragments(std::initializer_list<const TMemo *> fragments)
{
    QByteArray joined;
    for (const TMemo *fragment : fragments)
        joined.append(fragment->text());
    return joined;
}

} // namespace kv
