#pragma once
// The new-component window: a small page in nine fragments. "Собрать код"
// joins them into the listing, "Просмотр в браузере" opens the listing as
// "Code.html", "Продолжить" hands it to the main window's page editor.
#include "platform/controls.h"
#include "platform/tform.h"
#include "platform/tmemo.h"

namespace kv {

class TForm7 : public TForm
{
public:
    TForm7();

    // The fragments, top to bottom in listing order: Memo1 ... Memo5,
    // Memo10 (the coloured font line), Memo6, Memo7, Memo8.
    TLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label10, *Label6, *Label7, *Label8;
    TMemo *Memo1, *Memo2, *Memo3, *Memo4, *Memo5, *Memo10, *Memo6, *Memo7, *Memo8;
    TLabel *Label9;
    // The assembled listing.
    TMemo *Memo9;
    TButton *Button1;
    TBitBtn *BitBtn1, *BitBtn2, *BitBtn3;

    // Handlers.
    void Button1Click();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
};

} // namespace kv
