#pragma once
// The code frame: one large text box in a captioned group box. It has no
// commands; the embedding window loads, fills and saves the box.
#include "platform/controls.h"
#include "platform/tmemo.h"

#include <QFrame>

namespace kv {

class TFrame13 : public QFrame
{
public:
    TFrame13(QWidget *parent, const char *name, const QRect &geometry);

    TGroupBox *GroupBox1;
    TMemo *Memo1;
};

} // namespace kv
