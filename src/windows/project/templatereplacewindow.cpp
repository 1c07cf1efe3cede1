#include "windows/project/templatereplacewindow.h"

namespace kv {

TForm6::TForm6()
    : TForm("Form6", "Проект:Замена шаблона")
{
    setBorder(Border::Sizeable, Minimize | Maximize);
    setOuterSize(500, 129);
    setPlacement(Placement::MainFormCentre);
}

} // namespace kv
