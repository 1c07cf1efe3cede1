#pragma once
// The page composer: a whole page cut into ten fragments, sixteen colour
// tags for the font fragment, and "Компиляция", which joins the fragments,
// writes "Web.html" and "Code.txt" and opens the page in the browser.
#include "platform/controls.h"
#include "platform/tform.h"
#include "platform/tmemo.h"

namespace kv {

class TForm9 : public TForm
{
public:
    TForm9();

    TLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9, *Label10;
    TMemo *Memo1, *Memo2, *Memo3, *Memo4, *Memo5, *Memo6, *Memo7, *Memo8, *Memo9, *Memo10;
    TGroupBox *GroupBox1;
    // The colour buttons; each click fills Memo6 with its colour tag.
    TButton *Button1, *Button2, *Button3, *Button4, *Button5, *Button6, *Button7, *Button8, *Button9, *Button10,
        *Button11, *Button12, *Button13, *Button14, *Button15, *Button16;
    TGroupBox *GroupBox2;
    TButton *Button17;
    TMemo *Memo11;

    // "Компиляция".
    void Button17Click();
};

} // namespace kv
