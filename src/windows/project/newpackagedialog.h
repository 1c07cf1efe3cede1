#pragma once
// The new-package dialog: a package name and comments that no command uses yet.
#include "platform/controls.h"
#include "platform/tform.h"
#include "platform/tmemo.h"

namespace kv {

class TForm3 : public TForm
{
public:
    TForm3();

    TLabel *Label1;
    TEdit *Edit1;
    TLabel *Label2;
    TMemo *Memo1;
    TImage *Image1;
    TBitBtn *BitBtn3, *BitBtn2, *BitBtn1;

    void BitBtn3Click();
};

} // namespace kv
