#include "windows/project/newprojectdialog.h"

#include "app/registry.h"
#include "windows/main/mainwindow.h"
#include "windows/project/dialogpicture.h"
#include "windows/project/templatechangewindow.h"

namespace kv {

TForm2::TForm2()
    : TForm("Form2", "Создание нового проекта")
{
    setBorder(Border::Single, SystemMenu | Minimize);
    setOuterSize(420, 240);
    setPlacement(Placement::MainFormCentre);

    Image1 = new TImage(client(), "Image1", {8, 8, 137, 177}, dialogPictureDescription());
    Image1->setPicture(dialogPicture());
    Label1 = new TLabel(client(), "Label1", QPoint{184, 8}, "Заголовок проекта:");
    Memo2 = new TMemo(client(), "Memo2", {152, 24, 249, 17});
    Label2 = new TLabel(client(), "Label2", QPoint{184, 48}, "Описание проекта:");
    Memo1 = new TMemo(client(), "Memo1", {152, 64, 249, 89}, {"Здесь будет ваше описание проекта..."});
    Edit1 = new TEdit(client(), "Edit1", {152, 128, 121, 21}, "Edit1");
    Edit1->hide(); // holds the title as of the last save
    BitBtn3 = new TBitBtn(client(), "BitBtn3", {152, 160, 75, 25}, "Отмена");
    BitBtn1 = new TBitBtn(client(), "BitBtn1", {240, 160, 75, 25}, "Сохранить");
    BitBtn2 = new TBitBtn(client(), "BitBtn2", {328, 160, 75, 25}, "Создать...");
    BitBtn2->setEnabled(false);

    Label1->labels(Memo2);
    Label2->labels(Memo1);
    BitBtn1->setOnClick([this] { BitBtn1Click(); });
    BitBtn2->setOnClick([this] { BitBtn2Click(); });
    BitBtn3->setOnClick([this] { BitBtn3Click(); });
}

void TForm2::BitBtn1Click()
{
    Memo2->saveLines(QStringLiteral("options1.txt"));
    Memo1->saveLines(QStringLiteral("options2.txt"));
    BitBtn2->setEnabled(true);
    Edit1->setText(Memo2->text());
}

void TForm2::BitBtn2Click()
{
    registry().Form1->setCaption(Edit1->text());
    registry().Form5->showForm();
    closeForm();
    BitBtn2->setEnabled(false);
}

void TForm2::BitBtn3Click()
{
    closeForm();
}

} // namespace kv
