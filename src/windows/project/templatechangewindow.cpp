#include "windows/project/templatechangewindow.h"

namespace kv {

TForm5::TForm5()
    : TForm("Form5", "Проект: Изменение шаблона")
{
    setBorder(Border::Single, SystemMenu | Minimize);
    setClientSize(365, 238);
    setPlacement(Placement::DesktopCentre);
}

} // namespace kv
