#pragma once
#include <QString>

namespace kv {

// Fetches `url` into the file `target` and says whether that worked: true
// exactly when the whole resource has been stored there. Every failure, an
// exception included, is false; it shows nothing and keeps no state.
bool DownloadFile(const QString &url, const QString &target) noexcept;

} // namespace kv
