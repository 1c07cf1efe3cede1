#pragma once
// The project options window: two check marks about "web.html"; the second
// one's click sets the main window's "Просмотр кода".
#include "platform/controls.h"
#include "platform/tform.h"

namespace kv {

class TForm15 : public TForm
{
public:
    TForm15();

    TCheckBox *CheckBox1, *CheckBox2;
    TButton *Button1;

    void CheckBox2Click();
    void Button1Click();
};

} // namespace kv
