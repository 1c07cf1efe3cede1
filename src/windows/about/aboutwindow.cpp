#include "windows/about/aboutwindow.h"

#include "app/registry.h"
#include "platform/desktopservices.h"

namespace kv {

TForm17::TForm17()
    : TForm("Form17", "О программе...")
{
    // No buttons in the title bar: "Закрыть" closes the window.
    setBorder(Border::Single, Minimize);
    setClientSize(338, 199);
    setPlacement(Placement::MainFormCentre);

    Label1 = new TLabel(client(), "Label1", QPoint{8, 8}, "Версия программы:   1.1.1.1.");
    Label2 = new TLabel(client(), "Label2", QPoint{8, 24}, "Язык интерфейса:      Русский");
    Label3 = new TLabel(client(), "Label3", QPoint{8, 40}, "Язык архиватора:       Русский");
    BitBtn1 = new TBitBtn(client(), "BitBtn1", {256, 168, 75, 25}, "Закрыть");
    Memo1 = new TMemo(client(), "Memo1", {8, 56, 321, 105},
                      {"Приложение Кварнис, версия 1.1.1.1, служит для ",
                       "создания страницы собственного проекта для ",
                       "интернет-браузера и для её публикации в сети ",
                       "Интернет. Программа и некоторые файлы пакетов ",
                       "могут обновляться. Программа написана в ",
                       "сентябре 2015 года. Автор: команда Кварнис. ",
                       "Ответы на вопросы о работе с программой есть ",
                       "в справке: справка по программе и справочные ",
                       "опции по тэгам HTML. Пожелания направляйте в ",
                       "техническую поддержку на сайте программы."});
    Memo1->setScrollBars(true);
    BitBtn2 = new TBitBtn(client(), "BitBtn2", {96, 168, 155, 25}, "Информация о системе...");
    Memo1->setAccessibleName(QStringLiteral("О программе"));

    BitBtn1->setOnClick([this] { BitBtn1Click(); });
    BitBtn2->setOnClick([this] { BitBtn2Click(); });
}

void TForm17::BitBtn1Click()
{
    registry().Form17->closeForm();
}

void TForm17::BitBtn2Click()
{
    services().shellOpen(QStringLiteral("Tavrel.exe"), ShowMode::Show);
}

} // namespace kv
