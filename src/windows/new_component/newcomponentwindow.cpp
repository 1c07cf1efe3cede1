#include "windows/new_component/newcomponentwindow.h"

namespace kv {

TForm7::TForm7()
    : TForm("Form7", "Компоненты: Новый компонент, создание нового компонента")
{
    setBorder(Border::Dialog, SystemMenu);
    setClientSize(631, 303);
    setPlacement(Placement::MainFormCentre);
}

} // namespace kv
