#include "windows/package_management/packagemanagementwindow.h"

#include "platform/desktopservices.h"

namespace kv {

TForm16::TForm16()
    : TForm("Form16", "Управление пакетами, шаблонами, тэгами")
{
    setBorder(Border::ToolWindow, SystemMenu);
    setClientSize(338, 204);
    setPlacement(Placement::MainFormCentre);

    BitBtn1 = new TBitBtn(client(), "BitBtn1", {16, 16, 305, 41}, "Создать копию пакетов");
    BitBtn2 = new TBitBtn(client(), "BitBtn2", {16, 80, 305, 41}, "Извлечь копию пакетов");
    BitBtn3 = new TBitBtn(client(), "BitBtn3", {16, 144, 305, 41}, "Резервное восстановление по умолчанию");

    BitBtn1->setOnClick([this] { BitBtn1Click(); });
    BitBtn2->setOnClick([this] { BitBtn2Click(); });
    BitBtn3->setOnClick([this] { BitBtn3Click(); });
}

// The batch files do the work, in a console the user sees; the program
// neither waits for them nor learns how they ended.
void TForm16::BitBtn1Click()
{
    services().shellOpen(QStringLiteral("update\\create.bat"), ShowMode::Show);
}

void TForm16::BitBtn2Click()
{
    services().shellOpen(QStringLiteral("update\\extract.bat"), ShowMode::Show);
}

void TForm16::BitBtn3Click()
{
    services().shellOpen(QStringLiteral("update\\recovery.bat"), ShowMode::Show);
}

} // namespace kv
