#pragma once
// The picture beside the new-project and new-package dialogs' fields.
#include <QImage>
#include <QString>

namespace kv {

// Decoded once from the program's resources and shared by both dialogs;
// a null image (an empty box) if the stored picture cannot be decoded.
const QImage &dialogPicture();
QString dialogPictureDescription();

} // namespace kv
