#include "windows/project/newpackagedialog.h"

#include "windows/project/dialogpicture.h"

namespace kv {

TForm3::TForm3()
    : TForm("Form3", "Создание нового пакета")
{
    setBorder(Border::Sizeable, SystemMenu | Minimize);
    setOuterSize(388, 280);
    setPlacement(Placement::MainFormCentre);
    // The height stays; the width may change a little.
    setMinimumSize(380 - FrameWidth, 280 - FrameHeight);
    setMaximumSize(400 - FrameWidth, 280 - FrameHeight);

    Label1 = new TLabel(client(), "Label1", QPoint{8, 8}, "Название пакета на английском языке:");
    Edit1 = new TEdit(client(), "Edit1", {8, 24, 209, 21});
    Label2 = new TLabel(client(), "Label2", QPoint{8, 56}, "Комментарии к пакету компонентов...");
    Memo1 = new TMemo(client(), "Memo1", {8, 72, 209, 169});
    Image1 = new TImage(client(), "Image1", {224, 8, 145, 137}, dialogPictureDescription());
    Image1->setPicture(dialogPicture());
    BitBtn3 = new TBitBtn(client(), "BitBtn3", {264, 152, 105, 25}, "Отмена создания");
    BitBtn2 = new TBitBtn(client(), "BitBtn2", {264, 184, 105, 25}, "Добавить файл");
    BitBtn1 = new TBitBtn(client(), "BitBtn1", {264, 216, 107, 25}, "Создать пакет...");

    Label1->labels(Edit1);
    Label2->labels(Memo1);
    BitBtn3->setOnClick([this] { BitBtn3Click(); });
}

void TForm3::BitBtn3Click()
{
    closeForm();
}

} // namespace kv
