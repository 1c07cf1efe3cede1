#include "windows/tips/tipswindow.h"

namespace kv {
namespace {

using T = TForm14;

// The twenty commands. Which one a click reaches depends on which button of
// its stack lies on top, so paging forwards and backwards walks through the
// tips in the order this table gives.
const T::TipCommand tipCommands[] = {
    {&T::BitBtn2, "help\\info\\help001.txt", {&T::BitBtn3, &T::BitBtn1}, &T::BitBtn12},
    {&T::BitBtn3, "help\\info\\help002.txt", {&T::BitBtn4, &T::BitBtn12}, &T::BitBtn13},
    {&T::BitBtn4, "help\\info\\help003.txt", {&T::BitBtn5, &T::BitBtn13}, &T::BitBtn14},
    {&T::BitBtn5, "help\\info\\help004.txt", {&T::BitBtn6, &T::BitBtn14}, &T::BitBtn15},
    {&T::BitBtn6, "help\\info\\help005.txt", {&T::BitBtn7, &T::BitBtn15}, &T::BitBtn16},
    {&T::BitBtn7, "help\\info\\help006.txt", {&T::BitBtn8, &T::BitBtn16}, &T::BitBtn17},
    {&T::BitBtn8, "help\\info\\help007.txt", {&T::BitBtn9, &T::BitBtn17}, &T::BitBtn18},
    {&T::BitBtn9, "help\\info\\help008.txt", {&T::BitBtn10, &T::BitBtn18}, &T::BitBtn19},
    {&T::BitBtn10, "help\\info\\help009.txt", {&T::BitBtn11, &T::BitBtn19}, &T::BitBtn20},
    {&T::BitBtn11, "help\\info\\help010.txt", {&T::BitBtn2, &T::BitBtn20}, &T::BitBtn1},
    {&T::BitBtn1, "help\\info\\help010.txt", {&T::BitBtn12, &T::BitBtn2}, &T::BitBtn3},
    {&T::BitBtn12, "help\\info\\help009.txt", {&T::BitBtn13, &T::BitBtn3}, &T::BitBtn4},
    {&T::BitBtn13, "help\\info\\help008.txt", {&T::BitBtn14, &T::BitBtn4}, &T::BitBtn5},
    {&T::BitBtn14, "help\\info\\help007.txt", {&T::BitBtn15, &T::BitBtn5}, &T::BitBtn6},
    {&T::BitBtn15, "help\\info\\help006.txt", {&T::BitBtn16, &T::BitBtn6}, &T::BitBtn7},
    {&T::BitBtn16, "help\\info\\help005.txt", {&T::BitBtn17, &T::BitBtn7}, &T::BitBtn8},
    {&T::BitBtn17, "help\\info\\help004.txt", {&T::BitBtn18, &T::BitBtn8}, &T::BitBtn9},
    {&T::BitBtn18, "help\\info\\help003.txt", {&T::BitBtn19, &T::BitBtn9}, &T::BitBtn10},
    {&T::BitBtn19, "help\\info\\help002.txt", {&T::BitBtn20, &T::BitBtn10}, &T::BitBtn11},
    // Two digits: this file is not help001.txt.
    {&T::BitBtn20, "help\\info\\help01.txt", {&T::BitBtn1, &T::BitBtn11}, &T::BitBtn2},
};

const QRect nextPlace{208, 168, 121, 25};
const QRect previousPlace{0, 168, 121, 25};
const char *const next = "Следующий совет";
const char *const previous = "Предыдущий совет";

} // namespace

TForm14::TForm14()
    : TForm("Form14", "Советы")
{
    setBorder(Border::Dialog, SystemMenu);
    setClientSize(331, 208);
    setPlacement(Placement::Designed, QPoint{278, 429});

    // Created in this order: of several visible buttons in one place, the
    // one created later lies on top and takes the click.
    ProgressBar1 = new TProgressBar(client(), "ProgressBar1", {0, 192, 329, 17});
    Memo1 = new TMemo(client(), "Memo1", {0, 0, 329, 169}, {"Чтобы начать свой проект, нажмите Файл->Новый->Проект."});
    BitBtn1 = new TBitBtn(client(), "BitBtn1", previousPlace, previous);
    BitBtn2 = new TBitBtn(client(), "BitBtn2", nextPlace, next);
    BitBtn3 = new TBitBtn(client(), "BitBtn3", nextPlace, next);
    BitBtn4 = new TBitBtn(client(), "BitBtn4", nextPlace, next);
    BitBtn5 = new TBitBtn(client(), "BitBtn5", nextPlace, next);
    BitBtn6 = new TBitBtn(client(), "BitBtn6", nextPlace, next);
    BitBtn7 = new TBitBtn(client(), "BitBtn7", nextPlace, next);
    BitBtn8 = new TBitBtn(client(), "BitBtn8", nextPlace, next);
    BitBtn9 = new TBitBtn(client(), "BitBtn9", nextPlace, next);
    BitBtn10 = new TBitBtn(client(), "BitBtn10", nextPlace, next);
    BitBtn11 = new TBitBtn(client(), "BitBtn11", nextPlace, next);
    BitBtn12 = new TBitBtn(client(), "BitBtn12", previousPlace, previous);
    BitBtn13 = new TBitBtn(client(), "BitBtn13", {-8, 168, 129, 25}, previous);
    BitBtn14 = new TBitBtn(client(), "BitBtn14", previousPlace, previous);
    BitBtn15 = new TBitBtn(client(), "BitBtn15", previousPlace, previous);
    BitBtn16 = new TBitBtn(client(), "BitBtn16", previousPlace, previous);
    BitBtn17 = new TBitBtn(client(), "BitBtn17", previousPlace, previous);
    BitBtn18 = new TBitBtn(client(), "BitBtn18", previousPlace, previous);
    BitBtn19 = new TBitBtn(client(), "BitBtn19", previousPlace, previous);
    BitBtn20 = new TBitBtn(client(), "BitBtn20", previousPlace, previous);
    Memo1->setAccessibleName(QStringLiteral("Совет"));

    // Only BitBtn1 and BitBtn2 are visible at start.
    for (TBitBtn *hidden : {BitBtn3, BitBtn4, BitBtn5, BitBtn6, BitBtn7, BitBtn8, BitBtn9, BitBtn10, BitBtn11,
                            BitBtn12, BitBtn13, BitBtn14, BitBtn15, BitBtn16, BitBtn17, BitBtn18, BitBtn19, BitBtn20})
        hidden->hide();

    for (const TipCommand &command : tipCommands)
        (this->*command.self)->setOnClick([this, &command] { tipClick(command); });
}

void TForm14::tipClick(const TipCommand &command)
{
    Memo1->clear();
    // A tip that cannot be loaded ends the command here: no button changes,
    // so the next click tries the same file again.
    Memo1->loadLines(QString::fromLatin1(command.file));
    (this->*command.self)->hide();
    (this->*command.shows[0])->show();
    (this->*command.shows[1])->show();
    (this->*command.hides)->hide();
}

} // namespace kv
