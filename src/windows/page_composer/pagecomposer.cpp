#include "windows/page_composer/pagecomposer.h"

namespace kv {

TForm9::TForm9()
    : TForm("Form9", "Компоненты: Создание нового компонента")
{
    setBorder(Border::Sizeable, SystemMenu | Minimize | Maximize);
    setOuterSize(696, 480);
    setPlacement(Placement::MainFormCentre);
}

} // namespace kv
