#include "windows/tips/tipswindow.h"

namespace kv {

TForm14::TForm14()
    : TForm("Form14", "Советы")
{
    setBorder(Border::Dialog, SystemMenu);
    setClientSize(331, 208);
    setPlacement(Placement::Designed, QPoint{278, 429});
}

} // namespace kv
