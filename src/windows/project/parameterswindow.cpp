#include "windows/project/parameterswindow.h"

namespace kv {

TForm4::TForm4()
    : TForm("Form4", "Параметры проекта")
{
    setBorder(Border::Dialog, SystemMenu);
    setClientSize(359, 214);
    setPlacement(Placement::MainFormCentre);

    Label1 = new TLabel(client(), "Label1", QPoint{8, 8}, "Название файла кода:");
    Edit1 = new TEdit(client(), "Edit1", {8, 24, 161, 21}, "\\SaveCode.txt");
    Label2 = new TLabel(client(), "Label2", QPoint{8, 48}, "Название файла шаблона:");
    Edit2 = new TEdit(client(), "Edit2", {8, 64, 161, 21}, "\\Code.txt");
    Label3 = new TLabel(client(), "Label3", QPoint{8, 88}, "Название проектной страницы:");
    Edit3 = new TEdit(client(), "Edit3", {8, 104, 161, 21}, "\\WebProject.html");
    Label4 = new TLabel(client(), "Label4", QPoint{8, 128}, "Название файла проекта:");
    Edit4 = new TEdit(client(), "Edit4", {8, 144, 161, 21}, "\\Project.wp");
    Label5 = new TLabel(client(), "Label5", QPoint{8, 168}, "Файл проекта:");
    Edit5 = new TEdit(client(), "Edit5", {8, 184, 161, 21}, "Web.html");
    Button1 = new TButton(client(), "Button1", {280, 184, 75, 25}, "Закрыть");

    // Shown greyed: they cannot take the focus and are never edited.
    const std::pair<TLabel *, TEdit *> rows[] = {
        {Label1, Edit1}, {Label2, Edit2}, {Label3, Edit3}, {Label4, Edit4}, {Label5, Edit5}};
    for (const auto &[label, edit] : rows) {
        label->labels(edit);
        edit->setEnabled(false);
    }
    Button1->setOnClick([this] { Button1Click(); });
}

void TForm4::Button1Click()
{
    closeForm();
}

} // namespace kv
