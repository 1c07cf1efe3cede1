#include "windows/component_installation/componentinstallationwindow.h"

namespace kv {

TForm8::TForm8()
    : TForm("Form8", "Компоненты: Установка компонента")
{
    setBorder(Border::Dialog, SystemMenu);
    setClientSize(623, 446);
    setPlacement(Placement::MainFormCentre);
}

} // namespace kv
