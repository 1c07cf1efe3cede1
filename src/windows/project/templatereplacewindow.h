#pragma once
// The template replace window: asks whether the assembled template becomes
// the default one in "Code.txt".
#include "platform/controls.h"
#include "platform/tform.h"

namespace kv {

class TForm6 : public TForm
{
public:
    TForm6();

    TLabel *Label1;
    TButton *Button1, *Button2;

    void Button1Click();
    void Button2Click();
};

} // namespace kv
