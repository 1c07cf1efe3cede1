#pragma once
// The package management window: three buttons that start the package batch files.
#include "platform/controls.h"
#include "platform/tform.h"

namespace kv {

class TForm16 : public TForm
{
public:
    TForm16();

    TBitBtn *BitBtn1, *BitBtn2, *BitBtn3;

    // Handlers.
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
};

} // namespace kv
