#include "windows/project/templatechangewindow.h"

#include "app/registry.h"
#include "platform/desktopservices.h"
#include "windows/common/fragments.h"
#include "windows/main/mainwindow.h"
#include "windows/project/templatereplacewindow.h"

namespace kv {

TForm5::TForm5()
    : TForm("Form5", "Проект: Изменение шаблона")
{
    setBorder(Border::Single, SystemMenu | Minimize);
    setClientSize(365, 238);
    setPlacement(Placement::DesktopCentre);

    Memo1 = new TMemo(client(), "Memo1", {176, 32, 185, 17}, {"<html>"});
    Label1 = new TLabel(client(), "Label1", QPoint{48, 32}, "Открытие документа");
    Memo2 = new TMemo(client(), "Memo2", {176, 48, 185, 17}, {"<head>"});
    Label2 = new TLabel(client(), "Label2", QPoint{48, 48}, "Голова документа");
    Memo3 = new TMemo(client(), "Memo3", {176, 64, 185, 17}, {"<title></title>"});
    Label3 = new TLabel(client(), "Label3", QPoint{48, 64}, "Заголовок документа");
    Memo4 = new TMemo(client(), "Memo4", {176, 80, 185, 17}, {"</head>"});
    Label4 = new TLabel(client(), "Label4", QPoint{48, 80}, "Закрытие головы");
    Memo5 = new TMemo(client(), "Memo5", {176, 96, 185, 17}, {"<body>"});
    Label5 = new TLabel(client(), "Label5", QPoint{48, 96}, "Тело документа");
    Memo6 = new TMemo(client(), "Memo6", {176, 112, 185, 57},
                      {"Здравствуйте, это моя первая ", "страница.", "<br>", "Добро пожаловать!"});
    Label6 = new TLabel(client(), "Label6", QPoint{48, 112}, "Основной код");
    Memo7 = new TMemo(client(), "Memo7", {176, 168, 185, 17}, {"</body>"});
    Label7 = new TLabel(client(), "Label7", QPoint{48, 168}, "Закрытие тело");
    Memo8 = new TMemo(client(), "Memo8", {176, 184, 185, 17}, {"</html>"});
    Label8 = new TLabel(client(), "Label8", QPoint{48, 184}, "Закрытие документа");
    Memo9 = new TMemo(client(), "Memo9", {8, 8, 161, 225}, {"Memo9"});
    Memo9->hide();
    BitBtn1 = new TBitBtn(client(), "BitBtn1", {176, 208, 75, 25}, "Изменить");
    BitBtn2 = new TBitBtn(client(), "BitBtn2", {256, 208, 105, 25}, "Продолжить");

    const std::pair<TLabel *, TMemo *> labelled[] = {{Label1, Memo1}, {Label2, Memo2}, {Label3, Memo3},
                                                     {Label4, Memo4}, {Label5, Memo5}, {Label6, Memo6},
                                                     {Label7, Memo7}, {Label8, Memo8}};
    for (const auto &[label, memo] : labelled)
        label->labels(memo);

    BitBtn1->setOnClick([this] { BitBtn1Click(); });
    BitBtn2->setOnClick([this] { BitBtn2Click(); });
}

QByteArray TForm5::assembleTemplate() const
{
    return joinFragments({Memo1, Memo2, Memo3, Memo4, Memo5, Memo6, Memo7, Memo8});
}

void TForm5::BitBtn1Click()
{
    Memo9->setText(assembleTemplate());
    registry().Form6->showForm();
}

void TForm5::BitBtn2Click()
{
    services().beep();
    Memo9->setText(assembleTemplate());
    // One step of the page editor's undo, like its own commands.
    registry().Form1->Memo1->setText(Memo9->text(), TMemo::Undo::Step);
    services().messageBox(QStringLiteral("Новый проект создан успешно!"));
    closeForm();
}

} // namespace kv
