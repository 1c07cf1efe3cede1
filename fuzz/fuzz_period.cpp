// The error box's period rule: one "." after a last character above ".".
#include "text/errors.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    const QString message = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString shown = kv::withFinalPeriod(message);
    QString want = message;
    if (!message.isEmpty() && message.at(message.size() - 1).unicode() > 46)
        want += QLatin1Char('.');
    if (shown != want)
        std::abort();
    // The rule is idempotent: a shown message is never given a second period.
    if (kv::withFinalPeriod(shown) != shown)
        std::abort();
    return 0;
}
