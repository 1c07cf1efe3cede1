#pragma once
// The package installation window: downloads from the update server into
// "C:\temp", shows the four text files, starts the clean-up batch file.
#include "platform/controls.h"
#include "platform/tform.h"
#include "platform/tmemo.h"

namespace kv {

class TForm11 : public TForm
{
public:
    TForm11();

    TLabel *Label1, *Label2, *Label3, *Label4;
    TBitBtn *BitBtn1, *BitBtn2, *BitBtn3, *BitBtn4, *BitBtn5, *BitBtn6, *BitBtn7, *BitBtn8;
    TMemo *Memo1, *Memo2, *Memo3, *Memo4;
    // Never shown: "Обновить" and "Показать" run them in their order.
    TButton *Button1, *Button2, *Button3, *Button4, *Button5, *Button6, *Button7, *Button8;

    // Handlers.
    void BitBtn1Click();
    void Button1Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button2Click();
    void Button6Click();
    void Button7Click();
    void Button8Click();
    void BitBtn4Click();
    void BitBtn8Click();
    void BitBtn6Click();

private:
    // Fetches the server's `serverPath` into `file`; on success shows
    // `success` and then opens the file, otherwise shows the failure.
    void downloadStep(const char *serverPath, const char *file, const QString &success);
    // Adds the lines of `file` after what `memo` already holds.
    void readStep(const char *file, TMemo *memo);
};

} // namespace kv
