#pragma once
// Colour tags and colour buttons. A colour tag is an empty font element
// with a six-digit upper-case colour, "<font color="#FF0000"></font>", and
// no line break; a colour button replaces the whole text of its target box
// with its tag (never inserting at the caret or appending).
#include "platform/controls.h"
#include "platform/tmemo.h"

#include <QByteArray>

namespace kv {

// The tag of a colour given as six upper-case hexadecimal digits ("FF0000").
QByteArray colourTag(const char *hex);

// Replaces the whole text of `target` with the tag of `hex`.
void fillWithTag(TMemo *target, const char *hex);

// A push button whose click command fills `target` with the tag of `hex`.
TButton *colourButton(QWidget *parent, const char *name, const QRect &geometry, const char *caption,
                      const char *hex, TMemo *target);

} // namespace kv
