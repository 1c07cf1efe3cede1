#include "platform/jpeg.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace kv {
namespace {

// libjpeg reports a fatal error by calling error_exit, whose default ends the
// process. Ours jumps back to the decoder instead; a warning (corrupt or
// missing data, which libjpeg would paper over with grey) jumps back too.
//
// The jump may only land in a function that owns nothing with a destructor:
// each libjpeg call below is made from a small step function holding only
// plain data, and the QImage is made between steps, outside any jump's reach.
struct ErrorManager
{
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

// More scans than any sensible progressive picture has; a stream made of
// thousands of tiny scans would otherwise keep the window busy for minutes.
constexpr int MaxScans = 1000;

[[noreturn]] void jumpBack(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager *>(info->err)->jump, 1);
}

void onMessage(j_common_ptr info, int level)
{
    if (level < 0)
        jumpBack(info);
    // Trace messages are not wanted; nothing goes to stderr.
}

void onOutput(j_common_ptr) {}

void onProgress(j_common_ptr info)
{
    if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > MaxScans)
        jumpBack(info);
}

struct Decoder
{
    Decoder()
    {
        info.err = jpeg_std_error(&errors.base);
        errors.base.error_exit = jumpBack;
        errors.base.emit_message = onMessage;
        errors.base.output_message = onOutput;
        progress.progress_monitor = onProgress;
    }
    ~Decoder() { jpeg_destroy_decompress(&info); }
    Decoder(const Decoder &) = delete;
    Decoder &operator=(const Decoder &) = delete;

    jpeg_decompress_struct info{};
    ErrorManager errors{};
    jpeg_progress_mgr progress{};
};

bool readHeader(Decoder &d, const unsigned char *data, unsigned long size)
{
    if (setjmp(d.errors.jump))
        return false;
    jpeg_create_decompress(&d.info);
    // Never more than this for libjpeg's own buffers (there is no backing
    // store, so a larger need fails cleanly instead of exhausting memory).
    d.info.mem->max_memory_to_use = 256L * 1024 * 1024;
    d.info.progress = &d.progress;
    jpeg_mem_src(&d.info, data, size);
    jpeg_read_header(&d.info, TRUE);
    return true;
}

bool start(Decoder &d)
{
    if (setjmp(d.errors.jump))
        return false;
    d.info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&d.info);
    return d.info.output_components == 3;
}

bool readRows(Decoder &d, uchar *bits, qsizetype bytesPerLine)
{
    if (setjmp(d.errors.jump))
        return false;
    while (d.info.output_scanline < d.info.output_height) {
        JSAMPROW row = bits + qsizetype(d.info.output_scanline) * bytesPerLine;
        if (jpeg_read_scanlines(&d.info, &row, 1) != 1)
            return false;
    }
    jpeg_finish_decompress(&d.info);
    return true;
}

bool acceptableSize(JDIMENSION width, JDIMENSION height)
{
    return width > 0 && height > 0 && width <= JDIMENSION(MaxJpegSide) && height <= JDIMENSION(MaxJpegSide)
        && qint64(width) * qint64(height) <= MaxJpegPixels;
}

} // namespace

QImage decodeJpeg(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return {};
    Decoder d;
    if (!readHeader(d, reinterpret_cast<const unsigned char *>(bytes.constData()), (unsigned long)bytes.size()))
        return {};
    if (!acceptableSize(d.info.image_width, d.info.image_height))
        return {};
    if (!start(d))
        return {};
    QImage image(int(d.info.output_width), int(d.info.output_height), QImage::Format_RGB888);
    if (image.isNull())
        return {};
    if (!readRows(d, image.bits(), image.bytesPerLine()))
        return {};
    return image;
}

} // namespace kv
