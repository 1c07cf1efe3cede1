#pragma once
// The main window: the page editor and the menu that reaches every other window.
#include "platform/controls.h"
#include "platform/tform.h"
#include "platform/tmemo.h"

#include <QMenuBar>

namespace kv {

class TForm1 : public TForm
{
public:
    TForm1();
    void FormCreate() override;

    // Members other windows use.
    void setCaption(const QByteArray &title);

    TPanel *Panel1;
    TBitBtn *BitBtn1, *BitBtn2, *BitBtn3, *BitBtn4, *BitBtn8, *BitBtn9, *BitBtn10;
    TStatusBar *StatusBar1;
    TMemo *Memo1;
    TTabControl *TabControl1;
    TBitBtn *BitBtn5, *BitBtn6, *BitBtn7;
    TButton *Button1;
    TProgressBar *ProgressBar1;
    QMenuBar *MainMenu1;
    TTimer *Timer1;
    TOpenDialog OpenDialog1;

    TMenuItem *N1, *N2, *N3, *N4, *N5, *N6, *N7, *N8, *N9, *N10, *N11, *N12, *N13, *N14, *N15, *N16, *N17, *N18,
        *N19, *N20, *N21, *N22, *N23, *N24, *N25, *N26, *N27, *N28, *N29, *N30, *N31, *N32, *N33, *N34, *N35,
        *N36, *N37, *N38, *N39, *N40, *N41, *N42, *N43, *N44, *N45, *N46, *N47, *N48, *N49, *N50, *N51, *N52;

    // Handlers.
    void N51Click();
    void N52Click();
    void N9Click();
    void N10Click();
    void Button1Click();
    void N12Click();
    void N15Click();
    void N16Click();
    void N18Click();
    void N19Click();
    void N20Click();
    void N22Click();
    void N23Click();
    void N24Click();
    void BitBtn7Click();
    void N25Click();
    void BitBtn10Click();
    void N26Click();
    void N28Click();
    void N29Click();
    void N31Click();
    void N33Click();
    void N34Click();
    void N35Click();
    void N36Click();
    void N37Click();
    void N39Click();
    void N41Click();
    void N42Click();
    void N43Click();
    void N44Click();
    void N45Click();
    void N47Click();
    void N48Click();
    void N50Click();
    void BitBtn2Click();
    void BitBtn5Click();
    void BitBtn6Click();
    void BitBtn8Click();
    void BitBtn9Click();
    void Timer1Timer();

private:
    void buildMenu();
    void setStatus(const char *text);
    // "SaveWeb.txt", "WebProject.html", "Project.wp", in this order.
    void saveProjectFiles();
};

} // namespace kv
