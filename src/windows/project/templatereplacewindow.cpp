#include "windows/project/templatereplacewindow.h"

#include "app/registry.h"
#include "windows/project/templatechangewindow.h"

namespace kv {

TForm6::TForm6()
    : TForm("Form6", "Проект:Замена шаблона")
{
    setBorder(Border::Sizeable, Minimize | Maximize);
    setOuterSize(500, 129);
    setPlacement(Placement::MainFormCentre);

    // One caption; each CR starts a new line on screen.
    Label1 = new TLabel(client(), "Label1", {32, 8, 425, 39},
                        "Вы только что пытались изменить текущий шаблон по умолчанию.\r"
                        "Данный шаблон будет перезаписан и использоваться как шаблон по умолчанию. \r"
                        "Вы уверены что хотите заменить текущий шаблон?");
    Button1 = new TButton(client(), "Button1", {144, 64, 75, 25}, "Да");
    Button2 = new TButton(client(), "Button2", {264, 64, 75, 25}, "Нет");

    // The question is what both buttons answer.
    setAccessibleDescription(QString(Label1->caption()).replace(u'\r', u' '));
    Button1->setOnClick([this] { Button1Click(); });
    Button2->setOnClick([this] { Button2Click(); });
}

void TForm6::Button1Click()
{
    registry().Form5->Memo9->saveLines(QStringLiteral("Code.txt"));
    closeForm();
}

void TForm6::Button2Click()
{
    closeForm();
}

} // namespace kv
