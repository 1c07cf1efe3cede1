#include "windows/new_component/newcomponentwindow.h"

#include "app/registry.h"
#include "platform/desktopservices.h"
#include "windows/common/fragments.h"
#include "windows/main/mainwindow.h"

namespace kv {

TForm7::TForm7()
    : TForm("Form7", "Компоненты: Новый компонент, создание нового компонента")
{
    setBorder(Border::Dialog, SystemMenu);
    setClientSize(631, 303);
    setPlacement(Placement::MainFormCentre);

    QWidget *c = client();
    Label1 = new TLabel(c, "Label1", QPoint(8, 8), "Открытие документа");
    Memo1 = new TMemo(c, "Memo1", {152, 8, 185, 17}, {"<html>"});
    Label2 = new TLabel(c, "Label2", QPoint(8, 24), "Голова документа");
    Memo2 = new TMemo(c, "Memo2", {152, 24, 185, 17}, {"<head>"});
    Label3 = new TLabel(c, "Label3", QPoint(8, 40), "Заголовок документа");
    Memo3 = new TMemo(c, "Memo3", {152, 40, 185, 17}, {"<title></title>"});
    Label4 = new TLabel(c, "Label4", QPoint(8, 56), "Закрытие головы");
    Memo4 = new TMemo(c, "Memo4", {152, 56, 185, 17}, {"</head>"});
    Label5 = new TLabel(c, "Label5", QPoint(8, 72), "Тело документа со шрифтом");
    Memo5 = new TMemo(c, "Memo5", {152, 72, 185, 33}, {"<body text=\"#336699\">"});
    Label10 = new TLabel(c, "Label10", QPoint(8, 112), "Цвет шрифта между тэгами");
    Memo10 = new TMemo(c, "Memo10", {152, 112, 185, 33}, {"<font color=\"#CC0000\">Красный ", "шрифт</font>"});
    Label6 = new TLabel(c, "Label6", QPoint(8, 144), "Основной код");
    Memo6 = new TMemo(c, "Memo6", {152, 144, 185, 57},
                      {"Здравствуйте, это моя первая ", "страница.", "<br>", "Добро пожаловать!"});
    Label7 = new TLabel(c, "Label7", QPoint(8, 240), "Закрытие тело");
    Memo7 = new TMemo(c, "Memo7", {152, 240, 185, 17}, {"</body>"});
    Label8 = new TLabel(c, "Label8", QPoint(8, 256), "Закрытие документа");
    Memo8 = new TMemo(c, "Memo8", {152, 256, 185, 17}, {"</html>"});

    Label9 = new TLabel(c, "Label9", QPoint(344, 8), "Листинг готового кода");
    Memo9 = new TMemo(c, "Memo9", {344, 24, 281, 273});
    Memo9->setHtmlHighlighting(true);
    Button1 = new TButton(c, "Button1", {8, 88, 137, 17}, "Залить фон");
    BitBtn1 = new TBitBtn(c, "BitBtn1", {8, 272, 105, 25}, "Собрать код");
    BitBtn2 = new TBitBtn(c, "BitBtn2", {112, 272, 105, 25}, "Продолжить");
    BitBtn3 = new TBitBtn(c, "BitBtn3", {216, 272, 121, 25}, "Просмотр в браузере");
    BitBtn3->setEnabled(false);

    const std::pair<TLabel *, TMemo *> labelled[] = {{Label1, Memo1}, {Label2, Memo2}, {Label3, Memo3},
                                                     {Label4, Memo4}, {Label5, Memo5}, {Label10, Memo10},
                                                     {Label6, Memo6}, {Label7, Memo7}, {Label8, Memo8},
                                                     {Label9, Memo9}};
    for (const auto &[label, memo] : labelled)
        label->labels(memo);

    Button1->setOnClick([this] { Button1Click(); });
    BitBtn1->setOnClick([this] { BitBtn1Click(); });
    BitBtn2->setOnClick([this] { BitBtn2Click(); });
    BitBtn3->setOnClick([this] { BitBtn3Click(); });
}

// "Залить фон": the body tag with a black background, without a line break.
void TForm7::Button1Click()
{
    Memo5->setText("<body text=\"#336699\" bgcolor=\"#000000\">");
}

// "Собрать код".
void TForm7::BitBtn1Click()
{
    Memo9->setText(joinFragments({Memo1, Memo2, Memo3, Memo4, Memo5, Memo10, Memo6, Memo7, Memo8}));
    BitBtn3->setEnabled(true);
}

// "Продолжить": whatever the listing holds becomes the page being edited.
void TForm7::BitBtn2Click()
{
    const QByteArray listing = Memo9->text();
    // One step of the page editor's undo, like its own commands.
    registry().Form1->Memo1->setText(listing, TMemo::Undo::Step);
    Memo9->clear();
    BitBtn3->setEnabled(false);
    closeForm();
}

// "Просмотр в браузере".
void TForm7::BitBtn3Click()
{
    Memo9->saveLines(QStringLiteral("Code.html"));
    services().shellOpen(QStringLiteral("Code.html"), ShowMode::Normal);
}

} // namespace kv
