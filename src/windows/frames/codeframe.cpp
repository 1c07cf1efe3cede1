#include "windows/frames/codeframe.h"

namespace kv {

TFrame13::TFrame13(QWidget *parent, const char *name, const QRect &geometry)
    : QFrame(parent)
{
    place(this, name, geometry);
    GroupBox1 = new TGroupBox(this, "GroupBox1", {8, 8, 305, 385}, "Код");
    Memo1 = new TMemo(GroupBox1, "Memo1", {8, 24, 289, 353});
    Memo1->setAccessibleName(GroupBox1->title());
}

} // namespace kv
