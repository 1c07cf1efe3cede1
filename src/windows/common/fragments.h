#pragma once
// Fragment boxes: text boxes that each hold one piece of a page. A window
// that assembles a page joins their whole texts in a fixed order with
// nothing between them; the line structure comes only from the fragments'
// own line breaks.
#include "platform/tmemo.h"

#include <QByteArray>

#include <initializer_list>

namespace kv {

QByteArray joinFragments(std::initializer_list<const TMemo *> fragments);

} // namespace kv
