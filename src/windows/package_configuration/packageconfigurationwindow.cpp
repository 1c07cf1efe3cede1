#include "windows/package_configuration/packageconfigurationwindow.h"

namespace kv {

TForm10::TForm10()
    : TForm("Form10", "Компоненты: Конфигурация пакетов")
{
    setBorder(Border::Single, SystemMenu | Minimize);
    setClientSize(688, 444);
    setPlacement(Placement::MainFormCentre);
}

} // namespace kv
