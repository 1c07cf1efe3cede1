// The new-project and new-package dialogs: the title and description files,
// creating the project through the template change window, and the picture.
#include "app/registry.h"
#include "platform/jpeg.h"
#include "support/testenv.h"
#include "windows/main/mainwindow.h"
#include "windows/project/newpackagedialog.h"
#include "windows/project/newprojectdialog.h"
#include "windows/project/templatechangewindow.h"
#include "windows/project/templatereplacewindow.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace kv;
using kv::test::cp;
using kv::test::crlfLines;
using kv::test::TestEnv;

namespace {


void replaceTyped(QWidget *box, const QString &text)
{
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    kv::test::typeText(box, text);
}


const QByteArray initialTemplate = crlfLines({"<html>", "<head>", "<title></title>", "</head>", "<body>",
                                              "Здравствуйте, это моя первая ", "страница.", "<br>",
                                              "Добро пожаловать!", "</body>", "</html>"});

QImage storedPicture()
{
    QFile file(QStringLiteral(":/resources/picture.jpg"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return decodeJpeg(file.readAll());
}

} // namespace

class TestNewProject : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void createsProjectFromSavedTitle();
    void saveWritesTitleAndDescription_data();
    void saveWritesTitleAndDescription();
    void saveFailureKeepsState_data();
    void saveFailureKeepsState();
    void cancelAndReopenKeepEverything();
    void nextProjectStartsFromEditedFragments();
    void packageButtonsDoNothing();
    void packageDialogSizeLimits();
    void pictureShownClippedInBothDialogs();
};

void TestNewProject::createsProjectFromSavedTitle()
{
    kv::test::StartedEnv env;
    Registry &r = registry();
    r.Form1->showForm();
    r.Form1->N51->trigger();
    TForm2 *dialog = r.Form2;
    QVERIFY(dialog->isVisible());
    QVERIFY(!dialog->BitBtn2->isEnabled());

    kv::test::typeText(dialog->Memo2, QStringLiteral("Мой сайт"));
    kv::test::clickShown(dialog->BitBtn1);
    QVERIFY(dialog->BitBtn2->isEnabled());
    // An edit after saving does not reach the project.
    kv::test::typeText(dialog->Memo2, QStringLiteral(" 2"));
    kv::test::clickShown(dialog->BitBtn2);

    QCOMPARE(r.Form1->windowTitle(), QStringLiteral("Мой сайт"));
    QVERIFY(!dialog->isVisible());
    QVERIFY(!dialog->BitBtn2->isEnabled());
    QVERIFY(r.Form5->isVisible());
    QCOMPARE(env.read(QStringLiteral("options1.txt")), cp("Мой сайт"));
    QVERIFY(env.services.calls.isEmpty());

    // While the message is up, the page is already in place and the window still open.
    bool checkedWhileModal = false;
    env.services.whileModal = [&](const RecordingDesktopServices::Call &) {
        QCOMPARE(r.Form1->Memo1->text(), initialTemplate);
        QVERIFY(r.Form5->isVisible());
        checkedWhileModal = true;
    };
    kv::test::clickShown(r.Form5->BitBtn2);

    const QList<RecordingDesktopServices::Call> expected = {
        {QStringLiteral("beep"), QString(), 0},
        {QStringLiteral("message"), QStringLiteral("Новый проект создан успешно!"), 0}};
    QCOMPARE(env.services.calls, expected);
    QVERIFY(checkedWhileModal);
    QCOMPARE(r.Form1->Memo1->text(), initialTemplate);
    QCOMPARE(r.Form5->Memo9->text(), initialTemplate);
    QCOMPARE(r.Form1->windowTitle(), QStringLiteral("Мой сайт"));
    QVERIFY(!r.Form5->isVisible());
    QVERIFY(!r.Form6->isVisible());
    QVERIFY(!dialog->isVisible());
    QVERIFY(!dialog->BitBtn2->isEnabled());
    QVERIFY(!env.exists(QStringLiteral("Code.txt")));
}

void TestNewProject::saveWritesTitleAndDescription_data()
{
    QTest::addColumn<QString>("title");       // typed into the empty title box
    QTest::addColumn<QString>("description"); // typed over the description; null: left as it is
    QTest::addColumn<QByteArray>("options1");
    QTest::addColumn<QByteArray>("options2");
    QTest::addColumn<QString>("caption");

    const QByteArray initialDescription = crlfLines({"Здесь будет ваше описание проекта..."});
    QTest::newRow("empty title, description unchanged")
        << QString() << QString() << QByteArray() << initialDescription << QString();
    QTest::newRow("title") << QStringLiteral("Страница") << QString() << cp("Страница") << initialDescription
                           << QStringLiteral("Страница");
    QTest::newRow("title and description of two lines")
        << QStringLiteral("Дом") << QStringLiteral("Первая\nвторая") << cp("Дом") << cp("Первая\r\nвторая")
        << QStringLiteral("Дом");
    QTest::newRow("title of two lines") << QStringLiteral("Сайт\nдва") << QString() << cp("Сайт\r\nдва")
                                        << initialDescription << QStringLiteral("Сайт\r\nдва");
    QTest::newRow("description emptied") << QStringLiteral("x") << QStringLiteral("") << QByteArray("x")
                                         << QByteArray() << QStringLiteral("x");
    QTest::newRow("no-break space and quote") << QStringLiteral("a\u00A0\"b\"") << QString()
                                              << QByteArray("a\xA0\"b\"") << initialDescription
                                              << QStringLiteral("a\u00A0\"b\"");
}

void TestNewProject::saveWritesTitleAndDescription()
{
    QFETCH(QString, title);
    QFETCH(QString, description);
    QFETCH(QByteArray, options1);
    QFETCH(QByteArray, options2);
    QFETCH(QString, caption);
    kv::test::StartedEnv env;
    TForm2 *dialog = registry().Form2;
    dialog->showForm();
    kv::test::typeText(dialog->Memo2, title);
    if (!description.isNull())
        replaceTyped(dialog->Memo1, description);
    kv::test::clickShown(dialog->BitBtn1);

    QVERIFY(env.exists(QStringLiteral("options1.txt")));
    QCOMPARE(env.read(QStringLiteral("options1.txt")), options1);
    QCOMPARE(env.read(QStringLiteral("options2.txt")), options2);
    QCOMPARE(dialog->Edit1->text(), options1);
    QVERIFY(!dialog->Edit1->isVisible());

    kv::test::clickShown(dialog->BitBtn2);
    QCOMPARE(registry().Form1->windowTitle(), caption);
}

void TestNewProject::saveFailureKeepsState_data()
{
    QTest::addColumn<QString>("blocked");    // made a folder before "Сохранить"
    QTest::addColumn<bool>("savedBefore");   // a good save came first
    QTest::addColumn<bool>("titleWritten");  // "options1.txt" holds the new title afterwards
    QTest::newRow("options1.txt, first save") << QStringLiteral("options1.txt") << false << false;
    QTest::newRow("options2.txt, first save") << QStringLiteral("options2.txt") << false << true;
    QTest::newRow("options1.txt, after a save") << QStringLiteral("options1.txt") << true << false;
    QTest::newRow("options2.txt, after a save") << QStringLiteral("options2.txt") << true << true;
}

void TestNewProject::saveFailureKeepsState()
{
    QFETCH(QString, blocked);
    QFETCH(bool, savedBefore);
    QFETCH(bool, titleWritten);
    kv::test::StartedEnv env;
    TForm2 *dialog = registry().Form2;
    dialog->showForm();
    const QByteArray previousTitle = savedBefore ? cp("Старый") : QByteArray("Edit1");
    if (savedBefore) {
        kv::test::typeText(dialog->Memo2, QStringLiteral("Старый"));
        kv::test::clickShown(dialog->BitBtn1);
        QVERIFY(QFile::remove(env.path(blocked)));
    }
    QVERIFY(QDir(env.folder()).mkdir(blocked));
    replaceTyped(dialog->Memo2, QStringLiteral("Новый"));
    replaceTyped(dialog->Memo1, QStringLiteral("Описание"));
    kv::test::clickShown(dialog->BitBtn1);

    const QStringList errors = env.services.textsOf(QStringLiteral("error"));
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].startsWith(QStringLiteral("Cannot create file \"%1\". ").arg(env.path(blocked))),
             qPrintable(errors[0]));
    QVERIFY(errors[0].endsWith(u'.'));
    QVERIFY(QFileInfo(env.path(blocked)).isDir());
    if (titleWritten)
        QCOMPARE(env.read(QStringLiteral("options1.txt")), cp("Новый"));
    // "options2.txt" is not written after a failed "options1.txt".
    if (blocked == QStringLiteral("options1.txt") && savedBefore)
        QCOMPARE(env.read(QStringLiteral("options2.txt")), crlfLines({"Здесь будет ваше описание проекта..."}));
    if (blocked == QStringLiteral("options1.txt") && !savedBefore)
        QVERIFY(!env.exists(QStringLiteral("options2.txt")));
    QCOMPARE(dialog->BitBtn2->isEnabled(), savedBefore);
    QCOMPARE(dialog->Edit1->text(), previousTitle);
    QVERIFY(dialog->isVisible());
}

void TestNewProject::cancelAndReopenKeepEverything()
{
    kv::test::StartedEnv env;
    Registry &r = registry();
    TForm2 *dialog = r.Form2;
    r.Form1->BitBtn1->click();
    kv::test::typeText(dialog->Memo2, QStringLiteral("Сайт"));
    kv::test::clickShown(dialog->BitBtn1);
    kv::test::typeText(dialog->Memo1, QStringLiteral("ещё"));
    const QByteArray description = dialog->Memo1->text();
    kv::test::clickShown(dialog->BitBtn3);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(r.Form1->windowTitle(), QStringLiteral("Кварнис"));

    // Closed in the saved state: "Создать..." is still there, the texts too.
    r.Form1->N51->trigger();
    QVERIFY(dialog->isVisible());
    QVERIFY(dialog->BitBtn2->isEnabled());
    QCOMPARE(dialog->Memo2->text(), cp("Сайт"));
    QCOMPARE(dialog->Memo1->text(), description);
    QCOMPARE(env.read(QStringLiteral("options2.txt")), crlfLines({"Здесь будет ваше описание проекта..."}));

    // After creating, the dialog opens again as it was left, with "Создать..." off.
    kv::test::clickShown(dialog->BitBtn2);
    r.Form1->N51->trigger();
    QVERIFY(!dialog->BitBtn2->isEnabled());
    QCOMPARE(dialog->Memo2->text(), cp("Сайт"));
    QCOMPARE(dialog->Memo1->text(), description);
    QVERIFY(env.services.calls.isEmpty());
}

void TestNewProject::nextProjectStartsFromEditedFragments()
{
    kv::test::StartedEnv env;
    Registry &r = registry();
    r.Form2->showForm();
    kv::test::clickShown(r.Form2->BitBtn1);
    kv::test::clickShown(r.Form2->BitBtn2);
    replaceTyped(r.Form5->Memo6, QStringLiteral("Привет\n"));
    kv::test::clickShown(r.Form5->BitBtn2);
    QVERIFY(!r.Form5->isVisible());

    r.Form2->showForm();
    kv::test::typeText(r.Form2->Memo2, QStringLiteral("Второй"));
    kv::test::clickShown(r.Form2->BitBtn1);
    kv::test::clickShown(r.Form2->BitBtn2);
    QCOMPARE(r.Form1->windowTitle(), QStringLiteral("Второй"));
    QCOMPARE(r.Form5->Memo6->text(), cp("Привет\r\n"));
    r.Form1->Memo1->setText("old page");
    kv::test::clickShown(r.Form5->BitBtn2);
    QCOMPARE(r.Form1->Memo1->text(), crlfLines({"<html>", "<head>", "<title></title>", "</head>", "<body>",
                                                "Привет", "</body>", "</html>"}));
    QCOMPARE(env.services.textsOf(QStringLiteral("message")).size(), 2);
}

void TestNewProject::packageButtonsDoNothing()
{
    kv::test::StartedEnv env;
    Registry &r = registry();
    r.Form1->N52->trigger();
    TForm3 *dialog = r.Form3;
    QVERIFY(dialog->isVisible());
    kv::test::typeText(dialog->Edit1, QStringLiteral("mypackage"));
    kv::test::typeText(dialog->Memo1, QStringLiteral("Мой пакет"));
    const QStringList before = QDir(env.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);

    kv::test::clickShown(dialog->BitBtn1);
    kv::test::clickShown(dialog->BitBtn2);
    QVERIFY(dialog->isVisible());
    QVERIFY(env.services.calls.isEmpty());
    QCOMPARE(QDir(env.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
    for (TForm *form : r.forms())
        QCOMPARE(form->isVisible(), form == r.Form3);
    QCOMPARE(dialog->Edit1->text(), QByteArray("mypackage"));
    QCOMPARE(dialog->Memo1->text(), cp("Мой пакет"));

    kv::test::clickShown(dialog->BitBtn3);
    QVERIFY(!dialog->isVisible());
    r.Form1->N52->trigger();
    QCOMPARE(dialog->Edit1->text(), QByteArray("mypackage"));
    QCOMPARE(dialog->Memo1->text(), cp("Мой пакет"));
}

void TestNewProject::packageDialogSizeLimits()
{
    kv::test::StartedEnv env;
    TForm3 *dialog = registry().Form3;
    dialog->showForm();
    const QSize frame(TForm::FrameWidth, TForm::FrameHeight);
    QCOMPARE(dialog->size() + frame, QSize(388, 280));
    QCOMPARE(dialog->minimumSize() + frame, QSize(380, 280));
    QCOMPARE(dialog->maximumSize() + frame, QSize(400, 280));
    dialog->resize(1000, 1000);
    QCOMPARE(dialog->size() + frame, QSize(400, 280));
    dialog->resize(10, 10);
    QCOMPARE(dialog->size() + frame, QSize(380, 280));
}

void TestNewProject::pictureShownClippedInBothDialogs()
{
    kv::test::StartedEnv env;
    Registry &r = registry();
    const QImage picture = storedPicture();
    QCOMPARE(picture.size(), QSize(161, 225));

    const std::pair<TImage *, QSize> boxes[] = {{r.Form2->Image1, QSize(137, 177)},
                                                {r.Form3->Image1, QSize(145, 137)}};
    for (const auto &[image, size] : boxes) {
        static_cast<TForm *>(image->window())->showForm();
        QVERIFY(!image->accessibleDescription().isEmpty());
        const QImage shown = image->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), size);
        // Unscaled from the top-left corner: the picture's own top-left region.
        const QImage expected = picture.copy(QRect(QPoint(0, 0), size)).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown, expected);
    }
    // One picture, decoded once for both.
    QCOMPARE(r.Form2->Image1->picture().cacheKey(), r.Form3->Image1->picture().cacheKey());
}

QTEST_MAIN(TestNewProject)
#include "tst_newproject.moc"
