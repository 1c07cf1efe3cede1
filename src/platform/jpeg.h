#pragma once
// JPEG pictures, decoded with libjpeg directly.
#include <QByteArray>
#include <QImage>

namespace kv {

// The picture in `bytes`, or a null image when they are not a whole, sound
// JPEG stream: damaged or truncated data (even where libjpeg would only
// warn and fill the rest with grey), a colour model it cannot turn into RGB,
// or a size beyond MaxJpegSide / MaxJpegPixels. Never ends the program.
QImage decodeJpeg(const QByteArray &bytes);

inline constexpr int MaxJpegSide = 16384;
inline constexpr qint64 MaxJpegPixels = qint64(4096) * 4096;

} // namespace kv
