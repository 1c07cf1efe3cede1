#pragma once
// The new-project dialog: the project's title and description, then the
// template change window.
#include "platform/controls.h"
#include "platform/tform.h"
#include "platform/tmemo.h"

namespace kv {

class TForm2 : public TForm
{
public:
    TForm2();

    TImage *Image1;
    TLabel *Label1;
    TMemo *Memo2;
    TLabel *Label2;
    TMemo *Memo1;
    TEdit *Edit1;
    TBitBtn *BitBtn3, *BitBtn1, *BitBtn2;

    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
};

} // namespace kv
