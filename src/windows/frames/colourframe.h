#pragma once
// The colour-button frame: eight colour buttons and "Применить" in a
// group box. The frame only lays the buttons out; which colour each stands
// for and what every button does belong to the window that embeds it.
#include "platform/controls.h"

#include <QFrame>

namespace kv {

class TFrame12 : public QFrame
{
public:
    TFrame12(QWidget *parent, const char *name, const QRect &geometry);

    TGroupBox *GroupBox1;
    TButton *Button1, *Button2, *Button3, *Button4, *Button5, *Button6, *Button7, *Button8;
    TButton *Button9;
};

} // namespace kv
