#pragma once
// The package configuration window: edits the ten numbered code files. A
// tag button loads its file into the code box, a colour button fills the
// box with a colour tag, and the "Сохранить" on top of the stack of twelve
// writes the box back to the file that the last of those steps chose.
#include "platform/controls.h"
#include "platform/tform.h"
#include "windows/frames/codeframe.h"
#include "windows/frames/colourframe.h"

#include <array>

namespace kv {

class TForm10 : public TForm
{
public:
    TForm10();

    // The save stack from bottom to top: BitBtn11 (always disabled), BitBtn1
    // ... BitBtn10, BitBtn12; the visible one created last takes a click.
    TBitBtn *BitBtn11;
    TFrame12 *Frame121;
    TFrame13 *Frame131;
    TGroupBox *GroupBox1;
    TButton *Button1, *Button2, *Button3, *Button4, *Button5, *Button6, *Button7, *Button8, *Button9, *Button10;
    TBitBtn *BitBtn1, *BitBtn2, *BitBtn3, *BitBtn4, *BitBtn5, *BitBtn6, *BitBtn7, *BitBtn8, *BitBtn9, *BitBtn10;
    TBitBtn *BitBtn12;

    // Handlers.
    void FormCreate() override;
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button8Click();
    void Button9Click();
    void Button10Click();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void BitBtn5Click();
    void BitBtn6Click();
    void BitBtn7Click();
    void BitBtn8Click();
    void BitBtn9Click();
    void BitBtn10Click();
    void BitBtn12Click();
    void Frame121Button1Click();
    void Frame121Button2Click();
    void Frame121Button3Click();
    void Frame121Button4Click();
    void Frame121Button5Click();
    void Frame121Button6Click();
    void Frame121Button7Click();
    void Frame121Button8Click();
    void Frame121Button9Click();

    // BitBtn1 ... BitBtn10: save button N writes code file N.
    std::array<TBitBtn *, 10> fileSaveButtons() const;
    // Frame121.Button1 ... Button8.
    std::array<TButton *, 8> colourButtons() const;

private:
    // Tag button N: code file N into the code box, then save button N on top.
    void openCodeFile(int n);
    void saveCodeFile(int n);
    // Colour button K: its tag into the code box, K the chosen colour, BitBtn12 on top.
    void chooseColour(int k);
};

} // namespace kv
