#include "windows/package_installation/packageinstallationwindow.h"

#include "platform/desktopservices.h"
#include "text/errors.h"
#include "text/textfilereader.h"
#include "windows/package_installation/downloadfile.h"

namespace kv {
namespace {

QString host()
{
    return QStringLiteral(KVARNIS_UPDATE_HOST);
}

QString archiveSuccess()
{
    return QString::fromUtf8("Соединение с сервером <") + host() + QString::fromUtf8("> = SUCCESFUL!");
}

QString textSuccess()
{
    return QString::fromUtf8("Информация успешно загружена с сервера <") + host() + u'>';
}

QString failure(const QString &url)
{
    return QString::fromUtf8("Нет соединения с сервером <") + host()
           + QString::fromUtf8(">, или отсутствует соединение с Internet.  ") + url;
}

TLabel *bigLabel(QWidget *parent, const char *name, QPoint position, const char *caption)
{
    auto *label = new TLabel(parent, name, position, caption);
    QFont font = label->font();
    font.setPixelSize(16);
    label->setFont(font);
    label->adjustSize();
    return label;
}

} // namespace

TForm11::TForm11()
    : TForm("Form11", "Компоненты: Установка компонента")
{
    setBorder(Border::ToolWindow, SystemMenu | Minimize);
    setClientSize(688, 269);
    setPlacement(Placement::ScreenCentre);

    Label1 = bigLabel(client(), "Label1", {16, 16}, "Версия компонента:");
    Label2 = bigLabel(client(), "Label2", {16, 40}, "Дата упаковки:");
    Label3 = bigLabel(client(), "Label3", {16, 64}, "Содержание пакетов:");
    Label4 = bigLabel(client(), "Label4", {16, 88}, "Описание:");
    BitBtn1 = new TBitBtn(client(), "BitBtn1", {536, 8, 145, 25}, "Загрузить");
    BitBtn2 = new TBitBtn(client(), "BitBtn2", {536, 40, 145, 25}, "Распаковать");
    BitBtn3 = new TBitBtn(client(), "BitBtn3", {536, 72, 145, 25}, "Установить");
    BitBtn4 = new TBitBtn(client(), "BitBtn4", {536, 104, 145, 25}, "Обновить");
    BitBtn5 = new TBitBtn(client(), "BitBtn5", {536, 136, 145, 25}, "Откат");
    BitBtn6 = new TBitBtn(client(), "BitBtn6", {536, 168, 145, 25}, "Удалить");
    BitBtn7 = new TBitBtn(client(), "BitBtn7", {536, 200, 145, 25}, "Запаковать");
    BitBtn8 = new TBitBtn(client(), "BitBtn8", {536, 232, 145, 25}, "Показать");
    Memo1 = new TMemo(client(), "Memo1", {176, 8, 353, 25});
    Memo2 = new TMemo(client(), "Memo2", {176, 40, 353, 25});
    Memo3 = new TMemo(client(), "Memo3", {176, 72, 353, 185});
    Memo4 = new TMemo(client(), "Memo4", {16, 112, 145, 145});
    Button1 = new TButton(client(), "Button1", {240, 112, 75, 25}, "RU");
    Button2 = new TButton(client(), "Button2", {320, 112, 75, 25}, "Memo1");
    Button3 = new TButton(client(), "Button3", {240, 144, 75, 25}, "RUa");
    Button4 = new TButton(client(), "Button4", {240, 176, 75, 25}, "RUb");
    Button5 = new TButton(client(), "Button5", {240, 208, 75, 25}, "RUc");
    Button6 = new TButton(client(), "Button6", {320, 144, 75, 25}, "Memo2");
    Button7 = new TButton(client(), "Button7", {320, 176, 75, 25}, "Memo3");
    Button8 = new TButton(client(), "Button8", {320, 208, 75, 25}, "Memo4");
    for (TButton *hidden : {Button1, Button2, Button3, Button4, Button5, Button6, Button7, Button8})
        hidden->hide();
    Label1->labels(Memo1);
    Label2->labels(Memo2);
    Label3->labels(Memo3);
    Label4->labels(Memo4);

    // "Распаковать", "Установить", "Откат" and "Запаковать" have no command.
    BitBtn1->setOnClick([this] { BitBtn1Click(); });
    BitBtn4->setOnClick([this] { BitBtn4Click(); });
    BitBtn6->setOnClick([this] { BitBtn6Click(); });
    BitBtn8->setOnClick([this] { BitBtn8Click(); });
    Button1->setOnClick([this] { Button1Click(); });
    Button2->setOnClick([this] { Button2Click(); });
    Button3->setOnClick([this] { Button3Click(); });
    Button4->setOnClick([this] { Button4Click(); });
    Button5->setOnClick([this] { Button5Click(); });
    Button6->setOnClick([this] { Button6Click(); });
    Button7->setOnClick([this] { Button7Click(); });
    Button8->setOnClick([this] { Button8Click(); });
}

void TForm11::downloadStep(const char *serverPath, const char *file, const QString &success)
{
    const QString url = QStringLiteral("http://") + host() + QString::fromLatin1(serverPath);
    if (DownloadFile(url, QString::fromLatin1(file))) {
        services().messageBox(success);
        services().shellOpen(QString::fromLatin1(file), ShowMode::Normal);
    } else {
        services().messageBox(failure(url));
    }
}

void TForm11::readStep(const char *file, TMemo *memo)
{
    const TextFileLines read = readTextFileLines(QString::fromLatin1(file));
    // Lines read before an error stay in the box.
    memo->appendLines(read.lines);
    if (read.error)
        throw Error(textFileErrorMessage(read.error));
}

void TForm11::BitBtn1Click()
{
    downloadStep("/hdd/DB/codes.zip", "C:\\temp\\codes.ZIP", archiveSuccess());
}

void TForm11::Button1Click()
{
    downloadStep("/hdd/text/RU.txt", "C:\\temp\\RU.txt", textSuccess());
}

void TForm11::Button3Click()
{
    downloadStep("/hdd/text/RUa.txt", "C:\\temp\\RUa.txt", textSuccess());
}

void TForm11::Button4Click()
{
    downloadStep("/hdd/text/RUb.txt", "C:\\temp\\RUb.txt", textSuccess());
}

void TForm11::Button5Click()
{
    downloadStep("/hdd/text/RUc.txt", "C:\\temp\\RUc.txt", textSuccess());
}

void TForm11::Button2Click()
{
    readStep("C:\\temp\\RU.txt", Memo1);
}

void TForm11::Button6Click()
{
    readStep("C:\\temp\\RUa.txt", Memo2);
}

void TForm11::Button7Click()
{
    readStep("C:\\temp\\RUb.txt", Memo3);
}

void TForm11::Button8Click()
{
    readStep("C:\\temp\\RUc.txt", Memo4);
}

void TForm11::BitBtn4Click()
{
    Button1->click();
    Button3->click();
    Button4->click();
    Button5->click();
}

void TForm11::BitBtn8Click()
{
    Button2->click();
    Button6->click();
    Button7->click();
    Button8->click();
}

void TForm11::BitBtn6Click()
{
    services().shellOpen(QStringLiteral("bin\\delcodes.bat"), ShowMode::Hide);
}

} // namespace kv
