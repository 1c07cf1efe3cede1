#include "windows/project/newprojectdialog.h"

namespace kv {

TForm2::TForm2()
    : TForm("Form2", "Создание нового проекта")
{
    setBorder(Border::Single, SystemMenu | Minimize);
    setOuterSize(420, 240);
    setPlacement(Placement::MainFormCentre);
}

} // namespace kv
