#include "windows/main/mainwindow.h"

#include "app/registry.h"
#include "platform/desktopservices.h"
#include "platform/pictures.h"
#include "text/codepage.h"
#include "text/filenames.h"
#include "windows/about/aboutwindow.h"
#include "windows/component_installation/componentinstallationwindow.h"
#include "windows/new_component/newcomponentwindow.h"
#include "windows/package_configuration/packageconfigurationwindow.h"
#include "windows/package_installation/packageinstallationwindow.h"
#include "windows/package_management/packagemanagementwindow.h"
#include "windows/page_composer/pagecomposer.h"
#include "windows/project/newpackagedialog.h"
#include "windows/project/newprojectdialog.h"
#include "windows/project/optionswindow.h"
#include "windows/project/parameterswindow.h"
#include "windows/tips/tipswindow.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QMenu>
#include <QVBoxLayout>

namespace kv {
namespace {

using Handler = void (TForm1::*)();

// One row of the menu tree. A title has no parent; a separator has no caption.
struct MenuRow
{
    TMenuItem *TForm1::*item;
    const char *name;
    TMenuItem *TForm1::*parent;
    const char *caption;
    const char *picture;
    Handler handler;
};

const MenuRow menuRows[] = {
    {&TForm1::N1, "N1", nullptr, "Файл", nullptr, nullptr},
    {&TForm1::N8, "N8", &TForm1::N1, "Новый...", nullptr, nullptr},
    {&TForm1::N51, "N51", &TForm1::N8, "Проект", "document-new", &TForm1::N51Click},
    {&TForm1::N52, "N52", &TForm1::N8, "Пакет", "package-x-generic", &TForm1::N52Click},
    {&TForm1::N9, "N9", &TForm1::N1, "Открыть...", "help-faq", &TForm1::N9Click},
    {&TForm1::N10, "N10", &TForm1::N1, "Открыть проект...", "document-open", &TForm1::N10Click},
    {&TForm1::N11, "N11", &TForm1::N1, nullptr, nullptr, nullptr},
    {&TForm1::N12, "N12", &TForm1::N1, "Сохранить", "document-save", &TForm1::N12Click},
    {&TForm1::N13, "N13", &TForm1::N1, "Сохранить как...", "document-save-as", nullptr},
    {&TForm1::N14, "N14", &TForm1::N1, "Сохранить проект как...", "document-save-as", nullptr},
    {&TForm1::N15, "N15", &TForm1::N1, "Закрыть", "window-close", &TForm1::N15Click},
    {&TForm1::N16, "N16", &TForm1::N1, "Закрыть всё", "window-close", &TForm1::N16Click},
    {&TForm1::N17, "N17", &TForm1::N1, nullptr, nullptr, nullptr},
    {&TForm1::N18, "N18", &TForm1::N1, "Выход", "application-exit", &TForm1::N18Click},
    {&TForm1::N2, "N2", nullptr, "Правка", nullptr, nullptr},
    {&TForm1::N19, "N19", &TForm1::N2, "Вернуть назад", "edit-undo", &TForm1::N19Click},
    {&TForm1::N20, "N20", &TForm1::N2, "Вернуть обратно", "edit-redo", &TForm1::N20Click},
    {&TForm1::N21, "N21", &TForm1::N2, nullptr, nullptr, nullptr},
    {&TForm1::N22, "N22", &TForm1::N2, "Вырезать", "edit-cut", &TForm1::N22Click},
    {&TForm1::N23, "N23", &TForm1::N2, "Копировать", "edit-copy", &TForm1::N23Click},
    {&TForm1::N24, "N24", &TForm1::N2, "Вставить", "edit-paste", &TForm1::N24Click},
    {&TForm1::N25, "N25", &TForm1::N2, "Удалить", "edit-delete", &TForm1::N25Click},
    {&TForm1::N26, "N26", &TForm1::N2, "Выделить всё", "edit-select-all", &TForm1::N26Click},
    {&TForm1::N3, "N3", nullptr, "Проект", nullptr, nullptr},
    {&TForm1::N27, "N27", &TForm1::N3, "Добавить в проект...", "list-add", nullptr},
    {&TForm1::N28, "N28", &TForm1::N3, "Удалить из проекта...", "list-remove", &TForm1::N28Click},
    {&TForm1::N29, "N29", &TForm1::N3, "Просмотр кода", "document-print-preview", &TForm1::N29Click},
    {&TForm1::N30, "N30", &TForm1::N3, nullptr, nullptr, nullptr},
    {&TForm1::N31, "N31", &TForm1::N3, "Компилировать проект", "system-run", &TForm1::N31Click},
    {&TForm1::N32, "N32", &TForm1::N3, nullptr, nullptr, nullptr},
    {&TForm1::N33, "N33", &TForm1::N3, "Опции проекта...", "preferences-system", &TForm1::N33Click},
    {&TForm1::N4, "N4", nullptr, "Запуск", nullptr, nullptr},
    {&TForm1::N34, "N34", &TForm1::N4, "Старт проекта", "media-playback-start", &TForm1::N34Click},
    {&TForm1::N35, "N35", &TForm1::N4, "Параметры", "document-properties", &TForm1::N35Click},
    {&TForm1::N5, "N5", nullptr, "Компоненты", nullptr, nullptr},
    {&TForm1::N36, "N36", &TForm1::N5, "Новый компонент...", "insert-object", &TForm1::N36Click},
    {&TForm1::N37, "N37", &TForm1::N5, "Установка компонента...", "system-software-install", &TForm1::N37Click},
    {&TForm1::N38, "N38", &TForm1::N5, nullptr, nullptr, nullptr},
    {&TForm1::N39, "N39", &TForm1::N5, "Создание компонента", "text-html", &TForm1::N39Click},
    {&TForm1::N40, "N40", &TForm1::N5, nullptr, nullptr, nullptr},
    {&TForm1::N41, "N41", &TForm1::N5, "Установка пакета...", "system-software-update", &TForm1::N41Click},
    {&TForm1::N42, "N42", &TForm1::N5, "Конфигурация пакетов...", "preferences-other", &TForm1::N42Click},
    {&TForm1::N6, "N6", nullptr, "Опции", nullptr, nullptr},
    {&TForm1::N43, "N43", &TForm1::N6, "Изменение пакетной коллекции", "edit-find-replace", &TForm1::N43Click},
    {&TForm1::N7, "N7", nullptr, "Справка", nullptr, nullptr},
    {&TForm1::N44, "N44", &TForm1::N7, "Справочная информация", "help-contents", &TForm1::N44Click},
    {&TForm1::N45, "N45", &TForm1::N7, "Справочные опции", "help-browser", &TForm1::N45Click},
    {&TForm1::N46, "N46", &TForm1::N7, nullptr, nullptr, nullptr},
    {&TForm1::N47, "N47", &TForm1::N7, "Сайт программы", "internet-web-browser", &TForm1::N47Click},
    {&TForm1::N48, "N48", &TForm1::N7, "Тех. поддержка", "mail-message-new", &TForm1::N48Click},
    {&TForm1::N49, "N49", &TForm1::N7, nullptr, nullptr, nullptr},
    {&TForm1::N50, "N50", &TForm1::N7, "О программе...", nullptr, &TForm1::N50Click},
};

QString siteAddress()
{
    return QStringLiteral("http://" KVARNIS_SITE_HOST);
}

} // namespace

TForm1::TForm1()
    : TForm("Form1", "Кварнис")
{
    setBorder(Border::Sizeable, SystemMenu | Minimize | Maximize);
    setPlacement(Placement::DesktopCentre);
    buildMenu();

    Panel1 = new TPanel(client(), "Panel1");
    Panel1->setFixedHeight(41);
    BitBtn1 = new TBitBtn(Panel1, "BitBtn1", {8, 8, 25, 25}, "", picture("document-new"));
    BitBtn2 = new TBitBtn(Panel1, "BitBtn2", {40, 8, 25, 25}, "", picture("document-open"));
    BitBtn3 = new TBitBtn(Panel1, "BitBtn3", {72, 8, 25, 25}, "", picture("document-save-as"));
    BitBtn4 = new TBitBtn(Panel1, "BitBtn4", {104, 8, 25, 25}, "", picture("document-print-preview"));
    BitBtn8 = new TBitBtn(Panel1, "BitBtn8", {136, 8, 25, 25}, "", picture("document-save"));
    BitBtn9 = new TBitBtn(Panel1, "BitBtn9", {168, 8, 25, 25}, "", picture("system-run"));
    BitBtn10 = new TBitBtn(Panel1, "BitBtn10", {200, 8, 25, 25}, "", picture("edit-delete"));
    StatusBar1 = new TStatusBar(this, "StatusBar1");
    StatusBar1->setFixedHeight(19);
    setStatusBar(StatusBar1);
    Memo1 = new TMemo(client(), "Memo1", {},
                      {"<html>", "<head>", "<title>Заголовок окна</title>", "</head>", "<body>",
                       "Здравствуйте, это моя первая страница.", "<br>", "Добро пожаловать!", "</body>", "</html>"});
    Memo1->setScrollBars(true);
    Memo1->setHtmlHighlighting(true);
    TabControl1 = new TTabControl(client(), "TabControl1");
    TabControl1->setFixedWidth(137);
    BitBtn5 = new TBitBtn(TabControl1, "BitBtn5", {6, 8, 123, 25}, "Загрузить код", picture("document-open"));
    BitBtn6 = new TBitBtn(TabControl1, "BitBtn6", {8, 40, 121, 25}, "Сохранить код", picture("document-save"));
    BitBtn7 = new TBitBtn(TabControl1, "BitBtn7", {8, 72, 121, 25}, "     Вставить...", picture("edit-paste"));
    Button1 = new TButton(TabControl1, "Button1", {8, 104, 75, 25}, "Button1");
    Button1->hide();
    ProgressBar1 = new TProgressBar(client(), "ProgressBar1", {392, 320, 150, 17});
    ProgressBar1->hide();
    Timer1 = new TTimer(this, "Timer1", 1000, [this] { Timer1Timer(); });

    // The toolbar along the top; the page editor fills what the side panel leaves.
    auto *rows = new QVBoxLayout(client());
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    rows->addWidget(Panel1);
    auto *columns = new QHBoxLayout;
    columns->setSpacing(0);
    columns->addWidget(Memo1, 1);
    columns->addWidget(TabControl1);
    rows->addLayout(columns, 1);

    // Names for the picture buttons, for screen readers and tooltips.
    const std::pair<TBitBtn *, const char *> toolbarNames[] = {
        {BitBtn1, "Новый проект"}, {BitBtn2, "Загрузить сохранённый код"}, {BitBtn3, "Сохранить как"},
        {BitBtn4, "Просмотр"}, {BitBtn8, "Сохранить файлы проекта"}, {BitBtn9, "Подготовить проект к запуску"},
        {BitBtn10, "Удалить весь текст"}};
    for (const auto &[button, name] : toolbarNames) {
        button->setAccessibleName(QString::fromUtf8(name));
        button->setToolTip(QString::fromUtf8(name));
        button->setIconSize({16, 16});
    }
    Memo1->setAccessibleName(QStringLiteral("Код страницы"));
    StatusBar1->setAccessibleDescription(QStringLiteral("Строка состояния; щелчок открывает советы"));

    BitBtn1->setOnClick([this] { N51Click(); });
    BitBtn2->setOnClick([this] { BitBtn2Click(); });
    BitBtn8->setOnClick([this] { BitBtn8Click(); });
    BitBtn9->setOnClick([this] { BitBtn9Click(); });
    BitBtn10->setOnClick([this] { BitBtn10Click(); });
    StatusBar1->setOnClick([this] { N9Click(); });
    BitBtn5->setOnClick([this] { BitBtn5Click(); });
    BitBtn6->setOnClick([this] { BitBtn6Click(); });
    BitBtn7->setOnClick([this] { BitBtn7Click(); });
    Button1->setOnClick([this] { Button1Click(); });

    setClientSize(680, 366);
    setMinimumSize(688 - FrameWidth, 420 - FrameHeight);
    setMaximumSize(1024 - FrameWidth, 768 - FrameHeight);
}

void TForm1::buildMenu()
{
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    setMenuBar(MainMenu1);
    for (const MenuRow &row : menuRows) {
        TMenuItem *item = new TMenuItem(this, row.name, row.caption ? QString::fromUtf8(row.caption) : QString());
        this->*row.item = item;
        if (!row.caption)
            item->setSeparator(true);
        if (row.picture)
            item->setIcon(picture(row.picture));
        if (row.handler)
            item->setOnClick([this, handler = row.handler] { (this->*handler)(); });
        if (!row.parent || row.item == &TForm1::N8) {
            auto *menu = new QMenu(item->text(), this);
            menu->setObjectName(QString::fromLatin1(row.name) + QStringLiteral("Menu"));
            item->setMenu(menu);
        }
        if (row.parent)
            (this->*row.parent)->menu()->addAction(item);
        else
            MainMenu1->addAction(item);
    }
    N34->setEnabled(false);
}

void TForm1::FormCreate()
{
    Timer1->start();
}

void TForm1::setCaption(const QByteArray &title)
{
    setWindowTitle(fromCp1251(title));
}

void TForm1::setStatus(const char *text)
{
    StatusBar1->setSimpleText(QString::fromUtf8(text));
}

void TForm1::N51Click()
{
    registry().Form2->showForm();
    setStatus("Создание нового проекта...");
}

void TForm1::N52Click()
{
    registry().Form3->showForm();
    setStatus("Создание нового пакета...");
}

void TForm1::N9Click()
{
    registry().Form14->showForm();
}

void TForm1::N10Click()
{
    Button1->click();
}

void TForm1::Button1Click()
{
    OpenDialog1.filter = QStringLiteral("Проект|*.wp");
    if (!OpenDialog1.execute(this))
        return;
    if (QFileInfo(fileNames::resolve(OpenDialog1.fileName)).isFile())
        Memo1->loadLines(OpenDialog1.fileName, TMemo::Undo::Step);
}

void TForm1::N12Click()
{
    BitBtn6->click();
}

// Every command that replaces or empties the whole page is one step of the
// page editor's undo, so "Вернуть назад" right after it brings the page back.
// Clearing the page and then setting its text is one replacement.
void TForm1::N15Click()
{
    Memo1->setText(cp("Файл закрыт."), TMemo::Undo::Step);
}

void TForm1::N16Click()
{
    Memo1->setText(cp("Файл закрыт."), TMemo::Undo::Step);
    registry().Form14->closeForm();
}

void TForm1::N18Click()
{
    services().beep();
    closeForm();
}

void TForm1::N19Click()
{
    Memo1->undo();
}

void TForm1::N20Click()
{
    // Lowers the page editor (nothing overlaps it, so nothing changes on
    // screen) and redoes the last undone edit, as users expect of this item.
    Memo1->lower();
    Memo1->redo();
}

void TForm1::N22Click()
{
    Memo1->cut();
}

void TForm1::N23Click()
{
    Memo1->copy();
}

void TForm1::N24Click()
{
    Memo1->paste();
}

void TForm1::BitBtn7Click()
{
    Memo1->paste();
}

void TForm1::N25Click()
{
    Memo1->clear(TMemo::Undo::Step);
}

void TForm1::BitBtn10Click()
{
    N25->click();
}

void TForm1::N26Click()
{
    Memo1->selectAll();
}

void TForm1::N28Click()
{
    services().shellOpen(QStringLiteral("DELWEB.BAT"), ShowMode::Hide);
}

void TForm1::N29Click()
{
    services().shellOpen(QStringLiteral("Web.html"), ShowMode::Normal);
}

void TForm1::N31Click()
{
    BitBtn9->click();
    N34->click();
}

void TForm1::N33Click()
{
    registry().Form15->showForm();
    N29->setEnabled(true);
}

void TForm1::N34Click()
{
    Memo1->saveLines(QStringLiteral("Web.html"));
    services().shellOpen(QStringLiteral("Web.html"), ShowMode::Normal);
    setStatus("Веб-проект уже запущен");
}

void TForm1::N35Click()
{
    registry().Form4->showForm();
    setStatus("Параметры...");
}

void TForm1::N36Click()
{
    registry().Form7->showForm();
    setStatus("Новый компонент...");
}

void TForm1::N37Click()
{
    setStatus("Установка компонента");
    registry().Form8->showForm();
}

void TForm1::N39Click()
{
    setStatus("Создание компонента");
    registry().Form9->showForm();
}

void TForm1::N41Click()
{
    registry().Form11->showForm();
    setStatus("Установка пакета...");
}

void TForm1::N42Click()
{
    registry().Form10->showForm();
    setStatus("Конфигурация пакетов...");
}

void TForm1::N43Click()
{
    registry().Form16->showForm();
}

void TForm1::N44Click()
{
    services().shellOpen(QStringLiteral("help\\help.chm"), ShowMode::Show);
}

void TForm1::N45Click()
{
    services().shellOpen(QStringLiteral("help\\helpOptions.chm"), ShowMode::Show);
}

void TForm1::N47Click()
{
    services().shellOpen(siteAddress(), ShowMode::Normal);
}

void TForm1::N48Click()
{
    services().shellOpen(siteAddress() + QStringLiteral("/forum/2"), ShowMode::Normal);
}

void TForm1::N50Click()
{
    registry().Form17->showForm();
}

void TForm1::BitBtn2Click()
{
    Memo1->loadLines(QStringLiteral("SaveCode.txt"), TMemo::Undo::Step);
    setStatus("Загружен сохранённый код. Файл SaveCode.txt");
}

void TForm1::BitBtn5Click()
{
    Memo1->loadLines(QStringLiteral("code.txt"), TMemo::Undo::Step);
    setStatus("");
}

void TForm1::BitBtn6Click()
{
    Memo1->saveLines(QStringLiteral("SaveCode.txt"));
}

void TForm1::saveProjectFiles()
{
    Memo1->saveLines(QStringLiteral("SaveWeb.txt"));
    Memo1->saveLines(QStringLiteral("WebProject.html"));
    Memo1->saveLines(QStringLiteral("Project.wp"));
}

void TForm1::BitBtn8Click()
{
    saveProjectFiles();
    setStatus("Сохранение файлов: SaveWeb.txt, WebProject.html, Project.wp");
}

void TForm1::BitBtn9Click()
{
    saveProjectFiles();
    BitBtn6->click();
    N34->setEnabled(true);
    setStatus("Нажмите \"Запуск\" вкладка \"Старт проекта\" для запуска веб-кода.");
}

void TForm1::Timer1Timer()
{
    services().sleep(10);
    ProgressBar1->setValue(100);
    Timer1->stop();
    registry().Form14->showForm();
}

} // namespace kv
