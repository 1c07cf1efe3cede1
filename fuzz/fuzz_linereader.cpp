// The line reader of downloaded text files against a reference that reads
// one byte at a time, as a text-file reader with a one-line buffer would.
#include "text/textfilereader.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<std::string> reference(const std::string &in)
{
    std::vector<std::string> lines;
    size_t pos = 0;
    const auto atEnd = [&] { return pos >= in.size() || in[pos] == 26; };
    while (!atEnd()) {
        std::string line;
        // Read the line up to LF or byte 26; CRs are not part of it.
        while (pos < in.size() && in[pos] != '\n' && in[pos] != 26) {
            if (in[pos] != '\r')
                line += in[pos];
            ++pos;
        }
        lines.push_back(line);
        if (pos < in.size() && in[pos] == 26) {
            // A mark inside a line: skip to the LF, unless another mark comes first.
            ++pos;
            while (pos < in.size() && in[pos] != '\n' && in[pos] != 26)
                ++pos;
            if (pos < in.size() && in[pos] == 26)
                break;
        }
        if (pos < in.size() && in[pos] == '\n')
            ++pos;
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    const std::string input(reinterpret_cast<const char *>(data), size);
    const QList<QByteArray> got = kv::splitTextFileLines(QByteArrayView(input.data(), qsizetype(input.size())));
    const std::vector<std::string> want = reference(input);
    if (size_t(got.size()) != want.size())
        std::abort();
    for (size_t i = 0; i < want.size(); ++i)
        if (got[qsizetype(i)].toStdString() != want[i])
            std::abort();
    return 0;
}
