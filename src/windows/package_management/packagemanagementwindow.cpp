#include "windows/package_management/packagemanagementwindow.h"

namespace kv {

TForm16::TForm16()
    : TForm("Form16", "Управление пакетами, шаблонами, тэгами")
{
    setBorder(Border::ToolWindow, SystemMenu);
    setClientSize(338, 204);
    setPlacement(Placement::MainFormCentre);
}

} // namespace kv
