#pragma once
// The component installation window: loads the ten numbered code files
// into fragment boxes and installs them, joined, as "Code.txt". The
// installation takes two clicks on one place: "Начать установку" warns and
// arms, "Установить" writes.
#include "platform/controls.h"
#include "platform/tform.h"
#include "platform/tmemo.h"

#include <array>

namespace kv {

class TForm8 : public TForm
{
public:
    TForm8();

    TLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9, *Label10;
    TMemo *Memo1, *Memo2, *Memo3, *Memo4, *Memo5, *Memo6, *Memo7, *Memo8, *Memo9, *Memo10;
    // "Загрузить": button N loads code file N into Memo N.
    TButton *Button1, *Button2, *Button3, *Button4, *Button5, *Button6, *Button7, *Button8, *Button9, *Button10;
    TButton *Button11;
    // One of these two is visible: the installation step.
    TButton *Button12, *Button13;
    // The hidden buffer "Code.txt" is written from.
    TMemo *Memo11;

    // Handlers.
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
    void Button11Click();
    void Button12Click();
    void Button13Click();

    std::array<TMemo *, 10> fragments() const;

private:
    void loadFragment(int n);
};

} // namespace kv
