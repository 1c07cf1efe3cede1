#include "windows/package_installation/packageinstallationwindow.h"

namespace kv {

TForm11::TForm11()
    : TForm("Form11", "Компоненты: Установка компонента")
{
    setBorder(Border::ToolWindow, SystemMenu | Minimize);
    setClientSize(688, 269);
    setPlacement(Placement::ScreenCentre);
}

} // namespace kv
