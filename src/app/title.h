#pragma once
#include <QString>

namespace kv {

// The application's title: the name the desktop shows for the running
// program and the caption of every message and error box.
QString applicationTitle();

} // namespace kv
