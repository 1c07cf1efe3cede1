#include "windows/about/aboutwindow.h"

namespace kv {

TForm17::TForm17()
    : TForm("Form17", "О программе...")
{
    setBorder(Border::Single, Minimize);
    setClientSize(338, 199);
    setPlacement(Placement::MainFormCentre);
}

} // namespace kv
