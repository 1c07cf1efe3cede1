#include "windows/project/parameterswindow.h"

namespace kv {

TForm4::TForm4()
    : TForm("Form4", "Параметры проекта")
{
    setBorder(Border::Dialog, SystemMenu);
    setClientSize(359, 214);
    setPlacement(Placement::MainFormCentre);
}

} // namespace kv
