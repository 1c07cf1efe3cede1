#pragma once
#include <QIcon>

namespace kv {

// A picture from the desktop's icon theme, or the program's own of that
// name (resources/icons/NAME.png) where the theme has none.
QIcon picture(const char *themeName);

} // namespace kv
