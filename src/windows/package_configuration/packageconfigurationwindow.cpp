#include "windows/package_configuration/packageconfigurationwindow.h"

#include "platform/pictures.h"
#include "windows/common/clicks.h"
#include "windows/common/codefiles.h"
#include "windows/common/colours.h"

namespace kv {
namespace {

// The colours of Frame121.Button1 ... Button8.
constexpr const char *frameColours[] = {"000000", "C0C0C0", "FFFFFF", "FF0000",
                                        "00F000", "FFFF00", "0000FF", "00FFFF"};

// The rectangle that all twelve "Сохранить" buttons share.
constexpr QRect saveRect{568, 408, 105, 25};

TBitBtn *saveButton(QWidget *parent, const char *name)
{
    auto *button = new TBitBtn(parent, name, saveRect, "Сохранить", picture("document-save"));
    button->setIconSize({16, 16});
    return button;
}

} // namespace

TForm10::TForm10()
    : TForm("Form10", "Компоненты: Конфигурация пакетов")
{
    setBorder(Border::Single, SystemMenu | Minimize);
    setClientSize(688, 444);
    setPlacement(Placement::MainFormCentre);

    QWidget *c = client();
    BitBtn11 = saveButton(c, "BitBtn11");
    BitBtn11->setEnabled(false);
    Frame121 = new TFrame12(c, "Frame121", {8, 8, 294, 182});
    Frame131 = new TFrame13(c, "Frame131", {360, 3, 320, 403});
    GroupBox1 = new TGroupBox(c, "GroupBox1", {16, 192, 281, 201}, "Пакетные файлы тэгов");
    Button1 = new TButton(GroupBox1, "Button1", {8, 16, 75, 25}, "<html>");
    Button2 = new TButton(GroupBox1, "Button2", {8, 48, 75, 25}, "<head>");
    Button3 = new TButton(GroupBox1, "Button3", {8, 80, 75, 25}, "<title>");
    Button4 = new TButton(GroupBox1, "Button4", {8, 112, 75, 25}, "</head>");
    Button5 = new TButton(GroupBox1, "Button5", {8, 144, 75, 25}, "<body>");
    Button6 = new TButton(GroupBox1, "Button6", {88, 16, 75, 25}, "<font>");
    Button7 = new TButton(GroupBox1, "Button7", {88, 48, 75, 25}, "<code>");
    Button8 = new TButton(GroupBox1, "Button8", {88, 80, 75, 25}, "<code2>");
    Button9 = new TButton(GroupBox1, "Button9", {88, 112, 75, 25}, "</body>");
    Button10 = new TButton(GroupBox1, "Button10", {88, 144, 75, 25}, "</html>");
    BitBtn1 = saveButton(c, "BitBtn1");
    BitBtn2 = saveButton(c, "BitBtn2");
    BitBtn3 = saveButton(c, "BitBtn3");
    BitBtn4 = saveButton(c, "BitBtn4");
    BitBtn5 = saveButton(c, "BitBtn5");
    BitBtn6 = saveButton(c, "BitBtn6");
    BitBtn7 = saveButton(c, "BitBtn7");
    BitBtn8 = saveButton(c, "BitBtn8");
    BitBtn9 = saveButton(c, "BitBtn9");
    BitBtn10 = saveButton(c, "BitBtn10");
    BitBtn12 = saveButton(c, "BitBtn12");
    BitBtn12->hide();

    bindClicks(this, {
        {Button1, &TForm10::Button1Click},
        {Button2, &TForm10::Button2Click},
        {Button3, &TForm10::Button3Click},
        {Button4, &TForm10::Button4Click},
        {Button5, &TForm10::Button5Click},
        {Button6, &TForm10::Button6Click},
        {Button7, &TForm10::Button7Click},
        {Button8, &TForm10::Button8Click},
        {Button9, &TForm10::Button9Click},
        {Button10, &TForm10::Button10Click},
        {BitBtn1, &TForm10::BitBtn1Click},
        {BitBtn2, &TForm10::BitBtn2Click},
        {BitBtn3, &TForm10::BitBtn3Click},
        {BitBtn4, &TForm10::BitBtn4Click},
        {BitBtn5, &TForm10::BitBtn5Click},
        {BitBtn6, &TForm10::BitBtn6Click},
        {BitBtn7, &TForm10::BitBtn7Click},
        {BitBtn8, &TForm10::BitBtn8Click},
        {BitBtn9, &TForm10::BitBtn9Click},
        {BitBtn10, &TForm10::BitBtn10Click},
        {BitBtn12, &TForm10::BitBtn12Click},
        {Frame121->Button1, &TForm10::Frame121Button1Click},
        {Frame121->Button2, &TForm10::Frame121Button2Click},
        {Frame121->Button3, &TForm10::Frame121Button3Click},
        {Frame121->Button4, &TForm10::Frame121Button4Click},
        {Frame121->Button5, &TForm10::Frame121Button5Click},
        {Frame121->Button6, &TForm10::Frame121Button6Click},
        {Frame121->Button7, &TForm10::Frame121Button7Click},
        {Frame121->Button8, &TForm10::Frame121Button8Click},
        {Frame121->Button9, &TForm10::Frame121Button9Click},
    });

    // Tab order: the colour frame, the code frame, the tag buttons, then the
    // save stack from bottom to top, so the keyboard reaches every visible
    // "Сохранить", covered ones too.
    QList<QWidget *> chain = {Frame121->Button1, Frame121->Button2, Frame121->Button3,
                              Frame121->Button4, Frame121->Button5, Frame121->Button6,
                              Frame121->Button7, Frame121->Button8, Frame121->Button9,
                              Frame131->Memo1,   Button1,           Button2,
                              Button3,           Button4,           Button5,
                              Button6,           Button7,           Button8,
                              Button9,           Button10,          BitBtn11};
    for (TBitBtn *button : fileSaveButtons())
        chain.append(button);
    chain.append(BitBtn12);
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

std::array<TBitBtn *, 10> TForm10::fileSaveButtons() const
{
    return {BitBtn1, BitBtn2, BitBtn3, BitBtn4, BitBtn5, BitBtn6, BitBtn7, BitBtn8, BitBtn9, BitBtn10};
}

std::array<TButton *, 8> TForm10::colourButtons() const
{
    return {Frame121->Button1, Frame121->Button2, Frame121->Button3, Frame121->Button4,
            Frame121->Button5, Frame121->Button6, Frame121->Button7, Frame121->Button8};
}

void TForm10::FormCreate()
{
    for (TBitBtn *button : fileSaveButtons())
        button->hide();
    BitBtn12->hide();
}

void TForm10::openCodeFile(int n)
{
    // Loading comes first: a file that cannot be read leaves the stack as it was.
    Frame131->Memo1->loadLines(codeFileName(n));
    const auto saves = fileSaveButtons();
    saves[n - 1]->show();
    for (int i = 1; i <= CodeFileCount; ++i)
        if (i != n)
            saves[i - 1]->hide();
    BitBtn12->hide();
}

void TForm10::saveCodeFile(int n)
{
    Frame131->Memo1->saveLines(codeFileName(n));
}

void TForm10::chooseColour(int k)
{
    fillWithTag(Frame131->Memo1, frameColours[k - 1]);
    const auto colours = colourButtons();
    for (int i = 1; i <= int(colours.size()); ++i)
        colours[i - 1]->setEnabled(i != k);
    for (TBitBtn *button : fileSaveButtons())
        button->hide();
    BitBtn12->show();
}

void TForm10::Button1Click() { openCodeFile(1); }
void TForm10::Button2Click() { openCodeFile(2); }
void TForm10::Button3Click() { openCodeFile(3); }
void TForm10::Button4Click() { openCodeFile(4); }
void TForm10::Button5Click() { openCodeFile(5); }
void TForm10::Button6Click() { openCodeFile(6); }
void TForm10::Button7Click() { openCodeFile(7); }
void TForm10::Button8Click() { openCodeFile(8); }
void TForm10::Button9Click() { openCodeFile(9); }
void TForm10::Button10Click() { openCodeFile(10); }

void TForm10::BitBtn1Click() { saveCodeFile(1); }
void TForm10::BitBtn2Click() { saveCodeFile(2); }
void TForm10::BitBtn3Click() { saveCodeFile(3); }
void TForm10::BitBtn4Click() { saveCodeFile(4); }
void TForm10::BitBtn5Click() { saveCodeFile(5); }
void TForm10::BitBtn6Click() { saveCodeFile(6); }
void TForm10::BitBtn7Click() { saveCodeFile(7); }
void TForm10::BitBtn8Click() { saveCodeFile(8); }
void TForm10::BitBtn9Click() { saveCodeFile(9); }
void TForm10::BitBtn10Click() { saveCodeFile(10); }

// The colour tags go to the file of the additional code.
void TForm10::BitBtn12Click() { saveCodeFile(8); }

void TForm10::Frame121Button1Click() { chooseColour(1); }
void TForm10::Frame121Button2Click() { chooseColour(2); }
void TForm10::Frame121Button3Click() { chooseColour(3); }
void TForm10::Frame121Button4Click() { chooseColour(4); }
void TForm10::Frame121Button5Click() { chooseColour(5); }
void TForm10::Frame121Button6Click() { chooseColour(6); }
void TForm10::Frame121Button7Click() { chooseColour(7); }
void TForm10::Frame121Button8Click() { chooseColour(8); }

// "Применить": every colour can be chosen again; the colour file stays the target.
void TForm10::Frame121Button9Click()
{
    for (TButton *button : colourButtons())
        button->setEnabled(true);
    BitBtn12->show();
}

} // namespace kv
