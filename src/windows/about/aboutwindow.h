#pragma once
// The About window: version, languages, a short text about the program and
// the system-information tool.
#include "platform/controls.h"
#include "platform/tform.h"
#include "platform/tmemo.h"

namespace kv {

class TForm17 : public TForm
{
public:
    TForm17();

    TLabel *Label1, *Label2, *Label3;
    TBitBtn *BitBtn1;
    TMemo *Memo1;
    TBitBtn *BitBtn2;

    // Handlers.
    void BitBtn1Click();
    void BitBtn2Click();
};

} // namespace kv
