#include "windows/component_installation/componentinstallationwindow.h"

#include "platform/desktopservices.h"
#include "windows/common/clicks.h"
#include "windows/common/codefiles.h"
#include "windows/common/fragments.h"

namespace kv {

TForm8::TForm8()
    : TForm("Form8", "Компоненты: Установка компонента")
{
    setBorder(Border::Dialog, SystemMenu);
    setClientSize(623, 446);
    setPlacement(Placement::MainFormCentre);

    QWidget *c = client();
    const char *const notLoaded = "Файл не загружен!";
    Label1 = new TLabel(c, "Label1", QPoint(8, 8), "Открытие документа");
    Memo1 = new TMemo(c, "Memo1", {128, 8, 185, 17}, {notLoaded});
    Button1 = new TButton(c, "Button1", {320, 8, 145, 17}, "Загрузить");
    Label2 = new TLabel(c, "Label2", QPoint(8, 24), "Голова документа");
    Memo2 = new TMemo(c, "Memo2", {128, 24, 185, 17}, {notLoaded});
    Button2 = new TButton(c, "Button2", {320, 24, 145, 17}, "Загрузить");
    Label3 = new TLabel(c, "Label3", QPoint(8, 40), "Заголовок документа");
    Memo3 = new TMemo(c, "Memo3", {128, 40, 185, 17}, {notLoaded});
    Button3 = new TButton(c, "Button3", {320, 40, 145, 17}, "Загрузить");
    Label4 = new TLabel(c, "Label4", QPoint(8, 56), "Закрытие головы");
    Memo4 = new TMemo(c, "Memo4", {128, 56, 185, 17}, {notLoaded});
    Button4 = new TButton(c, "Button4", {320, 56, 145, 17}, "Загрузить");
    Label5 = new TLabel(c, "Label5", QPoint(8, 72), "Тело документа");
    Memo5 = new TMemo(c, "Memo5", {128, 72, 185, 17}, {notLoaded});
    Button5 = new TButton(c, "Button5", {320, 72, 145, 17}, "Загрузить");
    Label6 = new TLabel(c, "Label6", QPoint(8, 88), "Шрифт");
    Memo6 = new TMemo(c, "Memo6", {128, 88, 185, 17}, {notLoaded});
    Button6 = new TButton(c, "Button6", {320, 88, 145, 17}, "Загрузить");
    Label7 = new TLabel(c, "Label7", QPoint(8, 104), "Основной код");
    Memo7 = new TMemo(c, "Memo7", {128, 104, 185, 161}, {notLoaded});
    Button7 = new TButton(c, "Button7", {320, 104, 145, 17}, "Загрузить");
    Label8 = new TLabel(c, "Label8", QPoint(8, 264), "Дополнительный код");
    Memo8 = new TMemo(c, "Memo8", {128, 264, 185, 145}, {notLoaded});
    Button8 = new TButton(c, "Button8", {320, 264, 145, 17}, "Загрузить");
    Label9 = new TLabel(c, "Label9", QPoint(8, 408), "Закрытие тело");
    Memo9 = new TMemo(c, "Memo9", {128, 408, 185, 17}, {notLoaded});
    Button9 = new TButton(c, "Button9", {320, 408, 145, 17}, "Загрузить");
    Label10 = new TLabel(c, "Label10", QPoint(8, 424), "Закрытие документа");
    Memo10 = new TMemo(c, "Memo10", {128, 424, 185, 17}, {notLoaded});
    Button10 = new TButton(c, "Button10", {320, 424, 145, 17}, "Загрузить");

    Button11 = new TButton(c, "Button11", {472, 8, 145, 25}, "Загрузить все");
    Button12 = new TButton(c, "Button12", {472, 32, 145, 25}, "Начать установку");
    Button13 = new TButton(c, "Button13", {472, 32, 145, 25}, "Установить");
    Button13->hide();
    Memo11 = new TMemo(c, "Memo11", {320, 128, 185, 89}, {"Memo11"});
    Memo11->hide();

    const std::array<TLabel *, 10> labels = {Label1, Label2, Label3, Label4, Label5,
                                             Label6, Label7, Label8, Label9, Label10};
    const std::array<TButton *, 10> loads = {Button1, Button2, Button3, Button4, Button5,
                                             Button6, Button7, Button8, Button9, Button10};
    const auto boxes = fragments();
    for (int i = 0; i < CodeFileCount; ++i) {
        labels[i]->labels(boxes[i]);
        // Ten buttons of one caption: say which fragment each loads.
        loads[i]->setAccessibleName(loads[i]->text() + u' ' + labels[i]->caption());
    }

    bindClicks(this, {
        {Button1, &TForm8::Button1Click},
        {Button2, &TForm8::Button2Click},
        {Button3, &TForm8::Button3Click},
        {Button4, &TForm8::Button4Click},
        {Button5, &TForm8::Button5Click},
        {Button6, &TForm8::Button6Click},
        {Button7, &TForm8::Button7Click},
        {Button8, &TForm8::Button8Click},
        {Button9, &TForm8::Button9Click},
        {Button10, &TForm8::Button10Click},
        {Button11, &TForm8::Button11Click},
        {Button12, &TForm8::Button12Click},
        {Button13, &TForm8::Button13Click},
    });
}

std::array<TMemo *, 10> TForm8::fragments() const
{
    return {Memo1, Memo2, Memo3, Memo4, Memo5, Memo6, Memo7, Memo8, Memo9, Memo10};
}

void TForm8::loadFragment(int n)
{
    fragments()[n - 1]->loadLines(lowerCaseCodeFileName(n));
}

void TForm8::Button1Click() { loadFragment(1); }
void TForm8::Button2Click() { loadFragment(2); }
void TForm8::Button3Click() { loadFragment(3); }
void TForm8::Button4Click() { loadFragment(4); }
void TForm8::Button5Click() { loadFragment(5); }
void TForm8::Button6Click() { loadFragment(6); }
void TForm8::Button7Click() { loadFragment(7); }
void TForm8::Button8Click() { loadFragment(8); }
void TForm8::Button9Click() { loadFragment(9); }
void TForm8::Button10Click() { loadFragment(10); }

// "Загрузить все": the ten loads in order; a file that fails ends it there.
void TForm8::Button11Click()
{
    Button1->click();
    Button2->click();
    Button3->click();
    Button4->click();
    Button5->click();
    Button6->click();
    Button7->click();
    Button8->click();
    Button9->click();
    Button10->click();
}

// "Начать установку": the warning first, then the button changes.
void TForm8::Button12Click()
{
    services().messageBox(QString::fromUtf8("Чтобы начать установку нажмите установить ещё раз. "
                                            "Файл Code.txt будет автоматически изменен!"));
    Button12->hide();
    Button13->show();
}

// "Установить": back to the first step before writing, so a failed save
// still leaves the window ready to start again.
void TForm8::Button13Click()
{
    Button12->show();
    Button13->hide();
    Memo11->setText(joinFragments({Memo1, Memo2, Memo3, Memo4, Memo5, Memo6, Memo7, Memo8, Memo9, Memo10}));
    Memo11->saveLines(QStringLiteral("Code.txt"));
}

} // namespace kv
