#pragma once
// The template change window: the new project's page in eight fragments.
#include "platform/controls.h"
#include "platform/tform.h"
#include "platform/tmemo.h"

namespace kv {

class TForm5 : public TForm
{
public:
    TForm5();

    TMemo *Memo1, *Memo2, *Memo3, *Memo4, *Memo5, *Memo6, *Memo7, *Memo8;
    TLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8;
    TMemo *Memo9;
    TBitBtn *BitBtn1, *BitBtn2;

    void BitBtn1Click();
    void BitBtn2Click();

private:
    // The eight fragments joined from top to bottom.
    QByteArray assembleTemplate() const;
};

} // namespace kv
