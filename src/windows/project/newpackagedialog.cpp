#include "windows/project/newpackagedialog.h"

namespace kv {

TForm3::TForm3()
    : TForm("Form3", "Создание нового пакета")
{
    setBorder(Border::Sizeable, SystemMenu | Minimize);
    setOuterSize(388, 280);
    setPlacement(Placement::MainFormCentre);
}

} // namespace kv
