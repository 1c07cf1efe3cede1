#pragma once
// The tips window: one tip at a time, paged with two stacks of buttons.
#include "platform/controls.h"
#include "platform/tform.h"
#include "platform/tmemo.h"

namespace kv {

class TForm14 : public TForm
{
public:
    TForm14();

    TProgressBar *ProgressBar1;
    TMemo *Memo1;
    // BitBtn2 ... BitBtn11 lie at the right ("Следующий совет"), BitBtn1 and
    // BitBtn12 ... BitBtn20 at the left ("Предыдущий совет").
    TBitBtn *BitBtn1, *BitBtn2, *BitBtn3, *BitBtn4, *BitBtn5, *BitBtn6, *BitBtn7, *BitBtn8, *BitBtn9, *BitBtn10,
        *BitBtn11, *BitBtn12, *BitBtn13, *BitBtn14, *BitBtn15, *BitBtn16, *BitBtn17, *BitBtn18, *BitBtn19,
        *BitBtn20;

    // What one tip button does: the tip file it loads and the buttons it
    // shows and hides afterwards.
    struct TipCommand
    {
        TBitBtn *TForm14::*self;
        const char *file;
        TBitBtn *TForm14::*shows[2];
        TBitBtn *TForm14::*hides;
    };
    // The click command of every tip button (BitBtn1Click ... BitBtn20Click).
    void tipClick(const TipCommand &command);
};

} // namespace kv
