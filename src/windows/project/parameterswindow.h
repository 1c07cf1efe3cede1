#pragma once
// The project parameters window: the file names a project is made of, read-only.
#include "platform/controls.h"
#include "platform/tform.h"

namespace kv {

class TForm4 : public TForm
{
public:
    TForm4();

    TLabel *Label1, *Label2, *Label3, *Label4, *Label5;
    TEdit *Edit1, *Edit2, *Edit3, *Edit4, *Edit5;
    TButton *Button1;

    void Button1Click();
};

} // namespace kv
