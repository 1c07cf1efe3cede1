#include "text/codepage.h"

#include <QHash>
#include <QStringDecoder>

#include <array>
#include <cstring>

namespace kv {
namespace {

struct CodePage
{
    std::array<char16_t, 256> toUnicode{};
    QHash<char16_t, char> fromUnicode;

    CodePage()
    {
        QByteArray all(256, '\0');
        for (int i = 0; i < 256; ++i)
            all[i] = char(i);
        QStringDecoder decoder("windows-1251");
        const QString decoded = decoder(all);
        Q_ASSERT(decoded.size() == 256);
        for (int i = 0; i < 256; ++i) {
            toUnicode[i] = decoded.at(i).unicode();
            if (i >= 0x80 && toUnicode[i] != QChar::ReplacementCharacter)
                fromUnicode.insert(toUnicode[i], char(i));
        }
    }
};

const CodePage &codePage()
{
    static const CodePage table;
    return table;
}

char encodeOne(char16_t c, const CodePage &table)
{
    if (c < 0x80)
        return char(c);
    const auto it = table.fromUnicode.constFind(c);
    return it == table.fromUnicode.cend() ? '?' : it.value();
}

} // namespace

QString fromCp1251(QByteArrayView bytes)
{
    const CodePage &table = codePage();
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t *dst = reinterpret_cast<char16_t *>(out.data());
    for (const char b : bytes)
        *dst++ = table.toUnicode[static_cast<unsigned char>(b)];
    return out;
}

QByteArray toCp1251(QStringView text)
{
    const CodePage &table = codePage();
    QByteArray out(text.size(), Qt::Uninitialized);
    char *dst = out.data();
    for (const QChar c : text)
        *dst++ = encodeOne(c.unicode(), table);
    return out;
}

QByteArray cp(const char *utf8)
{
    return toCp1251(QString::fromUtf8(utf8));
}

QString viewOfText(QByteArrayView bytes)
{
    const CodePage &table = codePage();
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t *dst = reinterpret_cast<char16_t *>(out.data());
    const unsigned char *src = reinterpret_cast<const unsigned char *>(bytes.data());
    const unsigned char *end = src + bytes.size();
    // Runs between CRs go through the table without a test per byte; the
    // CR of each CR LF pair is left out, as the LF stands for the pair.
    while (src != end) {
        const auto *cr = static_cast<const unsigned char *>(std::memchr(src, '\r', size_t(end - src)));
        const unsigned char *runEnd = cr ? cr : end;
        for (; src != runEnd; ++src)
            *dst++ = table.toUnicode[*src];
        if (!cr)
            break;
        if (cr + 1 == end || cr[1] != '\n')
            *dst++ = u'\r';
        ++src;
    }
    out.truncate(dst - reinterpret_cast<char16_t *>(out.data()));
    return out;
}

QByteArray textOfView(QStringView raw)
{
    const CodePage &table = codePage();
    QByteArray out;
    out.reserve(raw.size() + raw.size() / 16);
    for (const QChar c : raw) {
        const char16_t u = c.unicode();
        if (u == u'\n' || u == QChar::ParagraphSeparator || u == QChar::LineSeparator)
            out.append("\r\n", 2);
        else
            out.append(encodeOne(u, table));
    }
    return out;
}

} // namespace kv
