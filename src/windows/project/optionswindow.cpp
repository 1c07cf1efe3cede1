#include "windows/project/optionswindow.h"

namespace kv {

TForm15::TForm15()
    : TForm("Form15", "Опции проекта")
{
    setBorder(Border::Sizeable, SystemMenu | Minimize | Maximize);
    setOuterSize(362, 222);
    setPlacement(Placement::Designed, QPoint{341, 300});
}

} // namespace kv
