#include "windows/common/codefiles.h"

namespace kv {

QString codeFileName(int n)
{
    Q_ASSERT(n >= 1 && n <= CodeFileCount);
    return QStringLiteral("update\\Code%1.txt").arg(n);
}

QString lowerCaseCodeFileName(int n)
{
    Q_ASSERT(n >= 1 && n <= CodeFileCount);
    return QStringLiteral("update\\code%1.txt").arg(n);
}

} // namespace kv
