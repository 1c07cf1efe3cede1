// Load lines: text up to the first zero byte, every lone CR or LF made CR LF.
#include "text/textfile.h"

#include <cstdlib>
#include <string>

namespace {

std::string reference(const std::string &in)
{
    std::string out;
    for (size_t i = 0; i < in.size() && in[i] != '\0'; ++i) {
        if (in[i] == '\r') {
            out += "\r\n";
            if (i + 1 < in.size() && in[i + 1] == '\n')
                ++i;
        } else if (in[i] == '\n') {
            out += "\r\n";
        } else {
            out += in[i];
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const QByteArray got = kv::normaliseLineBreaks(kv::untilZeroByte(input));
    const std::string want = reference(std::string(reinterpret_cast<const char *>(data), size));
    if (got.toStdString() != want)
        std::abort();
    // Normalising twice changes nothing.
    if (kv::normaliseLineBreaks(got) != got)
        std::abort();
    return 0;
}
