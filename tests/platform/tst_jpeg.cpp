// JPEG decoding: the dialogs' picture, other sound streams, and damaged
// streams that must give an empty picture instead of ending the program.
#include "platform/jpeg.h"

#include <QFile>
#include <QImageReader>
#include <QTest>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

using namespace kv;

namespace {

QByteArray storedPicture()
{
    QFile file(QStringLiteral(":/resources/picture.jpg"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// Where the segment with marker 0xFF `marker` starts (its 0xFF byte), or -1.
qsizetype segment(const QByteArray &jpeg, uchar marker)
{
    qsizetype at = 2;
    while (at + 4 <= jpeg.size() && uchar(jpeg[at]) == 0xFF) {
        if (uchar(jpeg[at + 1]) == marker)
            return at;
        if (uchar(jpeg[at + 1]) == 0xDA)
            return -1;
        at += 2 + (uchar(jpeg[at + 2]) << 8 | uchar(jpeg[at + 3]));
    }
    return -1;
}

// The first byte of the entropy-coded data.
qsizetype scanData(const QByteArray &jpeg)
{
    qsizetype at = 2;
    while (at + 4 <= jpeg.size()) {
        const qsizetype length = uchar(jpeg[at + 2]) << 8 | uchar(jpeg[at + 3]);
        if (uchar(jpeg[at + 1]) == 0xDA)
            return at + 2 + length;
        at += 2 + length;
    }
    return -1;
}

QByteArray patched(QByteArray jpeg, qsizetype at, const QByteArray &bytes)
{
    jpeg.replace(at, bytes.size(), bytes);
    return jpeg;
}

QByteArray bigEndian16(int value)
{
    QByteArray bytes;
    bytes.append(char(value >> 8)).append(char(value & 0xFF));
    return bytes;
}

// A small picture for the streams the program itself does not ship: left
// half red, right half blue (grey levels for one component).
struct Encoding
{
    bool grey = false;
    bool progressive = false;
    int width = 32;
    int height = 16;
    std::vector<jpeg_scan_info> script;
};

QRgb expectedColour(const Encoding &e, int x)
{
    if (e.grey)
        return x < e.width / 2 ? qRgb(200, 200, 200) : qRgb(40, 40, 40);
    return x < e.width / 2 ? qRgb(220, 30, 30) : qRgb(30, 30, 220);
}

QByteArray encode(const Encoding &e)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(e.width);
    info.image_height = JDIMENSION(e.height);
    info.input_components = e.grey ? 1 : 3;
    info.in_color_space = e.grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    if (e.progressive)
        jpeg_simple_progression(&info);
    if (!e.script.empty()) {
        info.scan_info = e.script.data();
        info.num_scans = int(e.script.size());
    }
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(size_t(e.width) * size_t(info.input_components));
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < e.width; ++x) {
            const QRgb colour = expectedColour(e, x);
            if (e.grey) {
                row[size_t(x)] = JSAMPLE(qRed(colour));
            } else {
                row[size_t(x) * 3] = JSAMPLE(qRed(colour));
                row[size_t(x) * 3 + 1] = JSAMPLE(qGreen(colour));
                row[size_t(x) * 3 + 2] = JSAMPLE(qBlue(colour));
            }
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char *>(buffer), qsizetype(size));
    std::free(buffer);
    return bytes;
}

// A valid progressive script that sends every AC coefficient of every
// component on its own, at eleven successive approximations: 1 + 693 scans
// per component.
std::vector<jpeg_scan_info> manyScans(int components)
{
    std::vector<jpeg_scan_info> script;
    jpeg_scan_info dc{};
    dc.comps_in_scan = components;
    for (int c = 0; c < components; ++c)
        dc.component_index[c] = c;
    script.push_back(dc);
    for (int c = 0; c < components; ++c) {
        for (int k = 1; k < 64; ++k) {
            jpeg_scan_info first{};
            first.comps_in_scan = 1;
            first.component_index[0] = c;
            first.Ss = first.Se = k;
            first.Ah = 0;
            first.Al = 10;
            script.push_back(first);
            for (int al = 9; al >= 0; --al) {
                jpeg_scan_info refine = first;
                refine.Ah = al + 1;
                refine.Al = al;
                script.push_back(refine);
            }
        }
    }
    return script;
}

bool near(QRgb a, QRgb b, int tolerance)
{
    return qAbs(qRed(a) - qRed(b)) <= tolerance && qAbs(qGreen(a) - qGreen(b)) <= tolerance
        && qAbs(qBlue(a) - qBlue(b)) <= tolerance;
}

} // namespace

class TestJpeg : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void storedPictureIsBaselineRgb();
    void decodesStoredPicture();
    void decodesOtherSoundStreams_data();
    void decodesOtherSoundStreams();
    void sizeLimits_data();
    void sizeLimits();
    void damagedStreamGivesNullImage_data();
    void damagedStreamGivesNullImage();
    void everyTruncationGivesNullImage();
    void flippedBytesNeverCrash();
    void endlessProgressionIsRefused();
};

void TestJpeg::storedPictureIsBaselineRgb()
{
    const QByteArray jpeg = storedPicture();
    QVERIFY(jpeg.startsWith("\xFF\xD8"));
    QVERIFY(jpeg.endsWith("\xFF\xD9"));
    const qsizetype sof = segment(jpeg, 0xC0);
    QVERIFY2(sof > 0, "no baseline frame header");
    QCOMPARE(segment(jpeg, 0xC2), qsizetype(-1));
    QCOMPARE(uchar(jpeg[sof + 4]), uchar(8));                              // precision
    QCOMPARE(uchar(jpeg[sof + 5]) << 8 | uchar(jpeg[sof + 6]), 225);       // height
    QCOMPARE(uchar(jpeg[sof + 7]) << 8 | uchar(jpeg[sof + 8]), 161);       // width
    QCOMPARE(uchar(jpeg[sof + 9]), uchar(3));                              // components
}

void TestJpeg::decodesStoredPicture()
{
    const QImage picture = decodeJpeg(storedPicture());
    QVERIFY(!picture.isNull());
    QCOMPARE(picture.size(), QSize(161, 225));
    // The dark blue sky at the top, the light page in the middle.
    QVERIFY(near(picture.pixel(2, 2), qRgb(0x1d, 0x3b, 0x6e), 12));
    QVERIFY(near(picture.pixel(60, 112), qRgb(0xfb, 0xfa, 0xf4), 12));

    // An independent decoder agrees, where one is installed.
    if (!QImageReader::supportedImageFormats().contains("jpeg"))
        QSKIP("no other JPEG decoder to compare with");
    const QImage other = QImage::fromData(storedPicture(), "JPEG");
    QCOMPARE(other.size(), picture.size());
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            QVERIFY2(near(picture.pixel(x, y), other.pixel(x, y), 2), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
}

void TestJpeg::decodesOtherSoundStreams_data()
{
    QTest::addColumn<bool>("grey");
    QTest::addColumn<bool>("progressive");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("baseline colour") << false << false << 32 << 16;
    QTest::newRow("progressive colour") << false << true << 32 << 16;
    QTest::newRow("grey") << true << false << 32 << 16;
    QTest::newRow("grey progressive") << true << true << 32 << 16;
    QTest::newRow("size not a multiple of 8") << false << false << 13 << 5;
    QTest::newRow("one pixel high") << false << false << 40 << 1;
}

void TestJpeg::decodesOtherSoundStreams()
{
    QFETCH(bool, grey);
    QFETCH(bool, progressive);
    QFETCH(int, width);
    QFETCH(int, height);
    Encoding e;
    e.grey = grey;
    e.progressive = progressive;
    e.width = width;
    e.height = height;
    const QImage picture = decodeJpeg(encode(e));
    QCOMPARE(picture.size(), QSize(width, height));
    // Away from the edge between the halves, where the blocks blur it.
    QVERIFY(near(picture.pixel(0, height - 1), expectedColour(e, 0), 16));
    QVERIFY(near(picture.pixel(width - 1, 0), expectedColour(e, width - 1), 16));
}

void TestJpeg::sizeLimits_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("longest side") << MaxJpegSide << 1 << true;
    QTest::newRow("side one longer") << MaxJpegSide + 1 << 1 << false;
    QTest::newRow("tallest side") << 1 << MaxJpegSide << true;
    QTest::newRow("most pixels") << MaxJpegSide << int(MaxJpegPixels / MaxJpegSide) << true;
    QTest::newRow("one row more") << MaxJpegSide << int(MaxJpegPixels / MaxJpegSide) + 1 << false;
}

void TestJpeg::sizeLimits()
{
    // Sound streams: only their size decides.
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, accepted);
    Encoding e;
    e.width = width;
    e.height = height;
    const QImage picture = decodeJpeg(encode(e));
    QCOMPARE(picture.isNull(), !accepted);
    if (accepted)
        QCOMPARE(picture.size(), QSize(width, height));
}

void TestJpeg::damagedStreamGivesNullImage_data()
{
    const QByteArray good = storedPicture();
    const qsizetype sof = segment(good, 0xC0);
    const qsizetype dht = segment(good, 0xC4);
    const qsizetype data = scanData(good);
    QVERIFY(sof > 0 && dht > 0 && data > 0);

    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not a picture") << QByteArray("<html>\r\n<head>\r\n");
    QTest::newRow("start marker only") << QByteArray("\xFF\xD8");
    QTest::newRow("start marker twice") << QByteArray("\xFF\xD8\xFF\xD8\xFF\xD8");
    QTest::newRow("headers without data") << good.left(data);
    QTest::newRow("cut in the middle") << good.left(good.size() / 2);
    QTest::newRow("end marker missing") << good.left(good.size() - 2);
    QTest::newRow("end marker replaced by zeros") << patched(good, good.size() - 2, QByteArray(2, '\0'));
    QTest::newRow("end marker in the data") << patched(good, (data + good.size()) / 2, QByteArray("\xFF\xD9"));
    QTest::newRow("zero width") << patched(good, sof + 7, bigEndian16(0));
    QTest::newRow("zero height") << patched(good, sof + 5, bigEndian16(0));
    QTest::newRow("side too long") << patched(good, sof + 7, bigEndian16(MaxJpegSide + 1));
    QTest::newRow("too many pixels") << patched(patched(good, sof + 5, bigEndian16(10000)), sof + 7, bigEndian16(10000));
    QTest::newRow("largest size a header can state") << patched(patched(good, sof + 5, bigEndian16(65500)), sof + 7, bigEndian16(65500));
    QTest::newRow("12-bit samples") << patched(good, sof + 4, QByteArray("\x0C"));
    QTest::newRow("no components") << patched(good, sof + 9, QByteArray(1, '\0'));
    QTest::newRow("missing quantisation table") << patched(good, sof + 12, QByteArray("\x03"));
    QTest::newRow("lossless frame") << patched(good, sof + 1, QByteArray("\xC3"));
    QTest::newRow("Huffman table overfull") << patched(good, dht + 5, QByteArray(16, char(0xFF)));
    QTest::newRow("segment length past the end") << patched(good, sof + 2, QByteArray("\xFF\xFF"));
    QTest::newRow("data replaced by noise") << [&] {
        QByteArray noisy = good;
        quint32 state = 12345;
        for (qsizetype i = data; i < good.size() - 2; ++i) {
            state = state * 1103515245u + 12345u;
            noisy[i] = char(state >> 24);
        }
        return noisy;
    }();
}

void TestJpeg::damagedStreamGivesNullImage()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(decodeJpeg(bytes).isNull());
}

void TestJpeg::everyTruncationGivesNullImage()
{
    const QByteArray good = storedPicture();
    for (qsizetype length = 0; length < good.size(); ++length)
        QVERIFY2(decodeJpeg(good.left(length)).isNull(), qPrintable(QString::number(length)));
}

void TestJpeg::flippedBytesNeverCrash()
{
    // A flipped bit in the data may still decode (to a wrong picture); what
    // matters is that it never ends the program or changes the size.
    const QByteArray good = storedPicture();
    for (qsizetype at = 2; at < good.size(); at += 3) {
        QByteArray damaged = good;
        damaged[at] = char(damaged[at] ^ (1 << (at % 8)));
        const QImage picture = decodeJpeg(damaged);
        if (!picture.isNull() && at >= scanData(good))
            QCOMPARE(picture.size(), QSize(161, 225));
    }
}

void TestJpeg::endlessProgressionIsRefused()
{
    // One component: 694 scans, a lot but within reason.
    Encoding grey;
    grey.grey = true;
    grey.width = grey.height = 8;
    grey.script = manyScans(1);
    QCOMPARE(decodeJpeg(encode(grey)).size(), QSize(8, 8));

    // Three components: 2080 scans of one 8 x 8 block.
    Encoding colour;
    colour.width = colour.height = 8;
    colour.script = manyScans(3);
    QVERIFY(decodeJpeg(encode(colour)).isNull());
}

QTEST_GUILESS_MAIN(TestJpeg)
#include "tst_jpeg.moc"
