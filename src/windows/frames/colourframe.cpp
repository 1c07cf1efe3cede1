#include "windows/frames/colourframe.h"

namespace kv {

TFrame12::TFrame12(QWidget *parent, const char *name, const QRect &geometry)
    : QFrame(parent)
{
    place(this, name, geometry);
    GroupBox1 = new TGroupBox(this, "GroupBox1", {8, 8, 281, 169}, "Основной шифт");
    Button1 = new TButton(GroupBox1, "Button1", {16, 32, 75, 25}, "Чёрный");
    Button2 = new TButton(GroupBox1, "Button2", {16, 64, 75, 25}, "Серый");
    Button3 = new TButton(GroupBox1, "Button3", {16, 96, 75, 25}, "Белый");
    Button4 = new TButton(GroupBox1, "Button4", {16, 128, 75, 25}, "Красный");
    Button5 = new TButton(GroupBox1, "Button5", {104, 32, 75, 25}, "Зелёный");
    Button6 = new TButton(GroupBox1, "Button6", {104, 64, 75, 25}, "Жёлтый");
    Button7 = new TButton(GroupBox1, "Button7", {104, 96, 75, 25}, "Синий");
    Button8 = new TButton(GroupBox1, "Button8", {104, 128, 75, 25}, "Бирюзовый");
    Button9 = new TButton(GroupBox1, "Button9", {192, 128, 75, 25}, "Применить");

    // "Чёрный" carries a font of its own that looks like the frame's.
    QFont own(QStringLiteral("MS Sans Serif"));
    own.setStyleHint(QFont::SansSerif);
    own.setPixelSize(11);
    own.setWeight(QFont::Normal);
    Button1->setFont(own);
    QPalette black = Button1->palette();
    black.setColor(QPalette::ButtonText, Qt::black);
    Button1->setPalette(black);
}

} // namespace kv
