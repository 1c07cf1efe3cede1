#include "windows/project/optionswindow.h"

#include "app/registry.h"
#include "windows/main/mainwindow.h"

namespace kv {

TForm15::TForm15()
    : TForm("Form15", "Опции проекта")
{
    setBorder(Border::Sizeable, SystemMenu | Minimize | Maximize);
    setOuterSize(362, 222);
    setPlacement(Placement::Designed, QPoint{341, 300});

    CheckBox1 = new TCheckBox(client(), "CheckBox1", {8, 8, 209, 17}, "Сохранять проект в файл web.html", true);
    CheckBox2 = new TCheckBox(client(), "CheckBox2", {8, 32, 209, 17}, "Расрешить просмотр web.html", true);
    Button1 = new TButton(client(), "Button1", {272, 160, 75, 25}, "Закрыть");

    CheckBox2->setOnClick([this] { CheckBox2Click(); });
    Button1->setOnClick([this] { Button1Click(); });
}

void TForm15::CheckBox2Click()
{
    // It is the first check mark, not this one, that decides.
    registry().Form1->N29->setEnabled(!CheckBox1->isChecked());
}

void TForm15::Button1Click()
{
    closeForm();
}

} // namespace kv
