#include "windows/page_composer/pagecomposer.h"

#include "platform/desktopservices.h"
#include "windows/common/colours.h"
#include "windows/common/fragments.h"

namespace kv {

TForm9::TForm9()
    : TForm("Form9", "Компоненты: Создание нового компонента")
{
    setBorder(Border::Sizeable, SystemMenu | Minimize | Maximize);
    setOuterSize(696, 480);
    setPlacement(Placement::MainFormCentre);

    QWidget *c = client();
    // The ten fragments in document order, which is also their tab order.
    Label1 = new TLabel(c, "Label1", QPoint(8, 8), "Открытие документа");
    Memo1 = new TMemo(c, "Memo1", {128, 8, 185, 17}, {"<html>"});
    Label2 = new TLabel(c, "Label2", QPoint(8, 24), "Голова документа");
    Memo2 = new TMemo(c, "Memo2", {128, 24, 185, 17}, {"<head>"});
    Label3 = new TLabel(c, "Label3", QPoint(8, 40), "Заголовок документа");
    Memo3 = new TMemo(c, "Memo3", {128, 40, 185, 17}, {"<title>Заголовок</title>"});
    Label4 = new TLabel(c, "Label4", QPoint(8, 56), "Закрытие головы");
    Memo4 = new TMemo(c, "Memo4", {128, 56, 185, 17}, {"</head>"});
    Label5 = new TLabel(c, "Label5", QPoint(8, 72), "Тело документа");
    Memo5 = new TMemo(c, "Memo5", {128, 72, 185, 17}, {"<body>"});
    Label6 = new TLabel(c, "Label6", QPoint(8, 88), "Шрифт");
    Memo6 = new TMemo(c, "Memo6", {128, 88, 185, 17}, {"<font color=\"#CC0000\">Красный ", "цвет шрифта</font>"});
    Label7 = new TLabel(c, "Label7", QPoint(8, 104), "Основной код");
    Memo7 = new TMemo(c, "Memo7", {128, 104, 185, 161},
                      {"<p align=\"justify\">",
                       "Я совсем недавно начал(а) ",
                       "знакомиться с виртуальной ",
                       "жизнью, но мне по давней ",
                       "традиции тоже захотелось ",
                       "создать свою домашнюю ",
                       "страничку для моих новых ",
                       "виртуальных друзей и знакомых, ",
                       "чтобы они могли посмотреть мои ",
                       "фотографии, почитать обо мне, ",
                       "черкнуть пару строчек в мою ",
                       "гостевую книгу. А может и просто ",
                       "случайный посетитель вдруг ",
                       "захочет познакомится со мной, и у ",
                       "меня появится еще один ",
                       "виртуальный друг? :)",
                       "</p> "});
    Label8 = new TLabel(c, "Label8", QPoint(8, 264), "Дополнительный код");
    Memo8 = new TMemo(c, "Memo8", {128, 264, 185, 145}, {"Файл не загружен!"});
    Label9 = new TLabel(c, "Label9", QPoint(8, 408), "Закрытие тело");
    Memo9 = new TMemo(c, "Memo9", {128, 408, 185, 17}, {"</body>"});
    Label10 = new TLabel(c, "Label10", QPoint(8, 424), "Закрытие документа");
    Memo10 = new TMemo(c, "Memo10", {128, 424, 185, 17}, {"</html>"});

    // Sixteen colour tags in four columns, filled column by column.
    GroupBox1 = new TGroupBox(c, "GroupBox1", {320, 8, 337, 153}, "Шрифт");
    Button1 = colourButton(GroupBox1, "Button1", {8, 16, 75, 25}, "Чёрный", "000000", Memo6);
    Button2 = colourButton(GroupBox1, "Button2", {8, 48, 75, 25}, "Тем.Серый", "808080", Memo6);
    Button3 = colourButton(GroupBox1, "Button3", {8, 80, 75, 25}, "Серый", "C0C0C0", Memo6);
    Button4 = colourButton(GroupBox1, "Button4", {8, 112, 75, 25}, "Белый", "FFFFFF", Memo6);
    Button5 = colourButton(GroupBox1, "Button5", {88, 16, 75, 25}, "Бордовый", "800000", Memo6);
    Button6 = colourButton(GroupBox1, "Button6", {88, 48, 75, 25}, "Красный", "FF0000", Memo6);
    Button7 = colourButton(GroupBox1, "Button7", {88, 80, 75, 25}, "Фиолетовый", "800080", Memo6);
    Button8 = colourButton(GroupBox1, "Button8", {88, 112, 75, 25}, "Лиловый", "FF00FF", Memo6);
    Button9 = colourButton(GroupBox1, "Button9", {168, 16, 75, 25}, "Зелёный", "00F000", Memo6);
    Button10 = colourButton(GroupBox1, "Button10", {168, 48, 75, 25}, "Яр.Зелёный", "00FF00", Memo6);
    Button11 = colourButton(GroupBox1, "Button11", {168, 80, 75, 25}, "Оливковый", "808000", Memo6);
    Button12 = colourButton(GroupBox1, "Button12", {168, 112, 75, 25}, "Жёлтый", "FFFF00", Memo6);
    Button13 = colourButton(GroupBox1, "Button13", {248, 16, 75, 25}, "Тем.Синий", "000080", Memo6);
    Button14 = colourButton(GroupBox1, "Button14", {248, 48, 75, 25}, "Синий", "0000FF", Memo6);
    Button15 = colourButton(GroupBox1, "Button15", {248, 80, 75, 25}, "Син.Зелёный", "008080", Memo6);
    Button16 = colourButton(GroupBox1, "Button16", {248, 112, 75, 25}, "Бирюзовый", "00FFFF", Memo6);

    GroupBox2 = new TGroupBox(c, "GroupBox2", {320, 336, 337, 105}, "Функции нового компонента");
    Button17 = new TButton(GroupBox2, "Button17", {8, 16, 75, 25}, "Компиляция");
    Button17->setOnClick([this] { Button17Click(); });

    Memo11 = new TMemo(c, "Memo11", {320, 168, 337, 161});
    Memo11->setScrollBars(true);
    Memo11->setHtmlHighlighting(true);
    Memo11->setAccessibleName(QStringLiteral("Готовая страница"));

    const std::pair<TLabel *, TMemo *> labelled[] = {{Label1, Memo1}, {Label2, Memo2}, {Label3, Memo3},
                                                     {Label4, Memo4}, {Label5, Memo5}, {Label6, Memo6},
                                                     {Label7, Memo7}, {Label8, Memo8}, {Label9, Memo9},
                                                     {Label10, Memo10}};
    for (const auto &[label, memo] : labelled)
        label->labels(memo);
}

void TForm9::Button17Click()
{
    Memo11->setText(joinFragments({Memo1, Memo2, Memo3, Memo4, Memo5, Memo6, Memo7, Memo8, Memo9, Memo10}));
    Memo11->saveLines(QStringLiteral("Web.html"));
    Memo11->saveLines(QStringLiteral("Code.txt"));
    services().shellOpen(QStringLiteral("Web.html"), ShowMode::Normal);
}

} // namespace kv
