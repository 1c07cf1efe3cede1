// The template change and template replace windows: assembling the eight
// fragments, putting the page into the editor, and "Code.txt".
#include "app/registry.h"
#include "support/testenv.h"
#include "windows/main/mainwindow.h"
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



TMemo *fragment(int number)
{
    TForm5 *w = registry().Form5;
    TMemo *const fragments[] = {w->Memo1, w->Memo2, w->Memo3, w->Memo4, w->Memo5, w->Memo6, w->Memo7, w->Memo8};
    return fragments[number - 1];
}

const QByteArray initialTemplate = crlfLines({"<html>", "<head>", "<title></title>", "</head>", "<body>",
                                              "Здравствуйте, это моя первая ", "страница.", "<br>",
                                              "Добро пожаловать!", "</body>", "</html>"});

// An edit of one fragment box, made with the keyboard.
enum class Edit { None, Empty, DropFinalBreak, TypeAtEnd };

} // namespace

Q_DECLARE_METATYPE(Edit)

class TestTemplateWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initialState();
    void continueAssemblesFragments_data();
    void continueAssemblesFragments();
    void yesWritesAssembledTemplate();
    void noWritesNothingAndLaterYesWritesLaterAssembly();
    void changeWhileQuestionOpen();
    void yesFailureKeepsWindowAndFile_data();
    void yesFailureKeepsWindowAndFile();
};

void TestTemplateWindows::initialState()
{
    kv::test::StartedEnv env;
    TForm5 *change = registry().Form5;
    QCOMPARE(change->Memo9->text(), QByteArray("Memo9\r\n"));
    QVERIFY(!change->Memo9->isVisibleTo(change));
    QCOMPARE(change->Memo6->text(), cp("Здравствуйте, это моя первая \r\nстраница.\r\n<br>\r\nДобро пожаловать!\r\n"));
    QCOMPARE(change->Memo3->accessibleName(), QStringLiteral("Заголовок документа"));

    TForm6 *replace = registry().Form6;
    QCOMPARE(replace->Label1->caption(),
             QStringLiteral("Вы только что пытались изменить текущий шаблон по умолчанию.\r"
                            "Данный шаблон будет перезаписан и использоваться как шаблон по умолчанию. \r"
                            "Вы уверены что хотите заменить текущий шаблон?"));
    // On screen the two CRs make three lines.
    QCOMPARE(replace->Label1->text().count(u'\n'), 2);
    QVERIFY(!(replace->windowFlags() & Qt::WindowSystemMenuHint));
}

void TestTemplateWindows::continueAssemblesFragments_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QByteArray>("page");
    QTest::newRow("initial fragments") << 1 << Edit::None << initialTemplate;
    QTest::newRow("title fragment emptied")
        << 3 << Edit::Empty
        << crlfLines({"<html>", "<head>", "</head>", "<body>", "Здравствуйте, это моя первая ", "страница.", "<br>",
                      "Добро пожаловать!", "</body>", "</html>"});
    QTest::newRow("final break of the first fragment deleted")
        << 1 << Edit::DropFinalBreak << cp("<html><head>\r\n") + initialTemplate.mid(16);
    QTest::newRow("final break of the last fragment deleted")
        << 8 << Edit::DropFinalBreak << initialTemplate.chopped(2);
    QTest::newRow("line typed into the main code")
        << 6 << Edit::TypeAtEnd << initialTemplate.left(initialTemplate.indexOf("</body>")) + cp("Ещё\r\n</body>\r\n</html>\r\n");
}

void TestTemplateWindows::continueAssemblesFragments()
{
    QFETCH(int, box);
    QFETCH(Edit, edit);
    QFETCH(QByteArray, page);
    kv::test::StartedEnv env;
    TForm5 *change = registry().Form5;
    change->showForm();
    TMemo *memo = fragment(box);
    switch (edit) {
    case Edit::None:
        break;
    case Edit::Empty:
        QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(memo, Qt::Key_Delete);
        break;
    case Edit::DropFinalBreak:
        QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(memo, Qt::Key_Backspace);
        break;
    case Edit::TypeAtEnd:
        QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
        kv::test::typeText(memo, QStringLiteral("Ещё\n"));
        break;
    }
    kv::test::clickShown(change->BitBtn2);

    QCOMPARE(registry().Form1->Memo1->text(), page);
    QCOMPARE(change->Memo9->text(), page);
    QCOMPARE(env.services.calls.first().kind, QStringLiteral("beep"));
    QCOMPARE(env.services.textsOf(QStringLiteral("message")), QStringList{QStringLiteral("Новый проект создан успешно!")});
    QVERIFY(!change->isVisible());
    QVERIFY(!env.exists(QStringLiteral("Code.txt")));
}

void TestTemplateWindows::yesWritesAssembledTemplate()
{
    kv::test::StartedEnv env;
    Registry &r = registry();
    r.Form5->showForm();
    const QByteArray page = r.Form1->Memo1->text();
    kv::test::clickShown(r.Form5->BitBtn1);
    QVERIFY(r.Form6->isVisible());
    QCOMPARE(r.Form5->Memo9->text(), initialTemplate);
    QVERIFY(!env.exists(QStringLiteral("Code.txt")));

    kv::test::clickShown(r.Form6->Button1);
    QCOMPARE(env.read(QStringLiteral("Code.txt")), initialTemplate);
    QVERIFY(!r.Form6->isVisible());
    QVERIFY(r.Form5->isVisible());
    QCOMPARE(r.Form1->Memo1->text(), page);
    QVERIFY(env.services.calls.isEmpty());
}

void TestTemplateWindows::noWritesNothingAndLaterYesWritesLaterAssembly()
{
    kv::test::StartedEnv env;
    Registry &r = registry();
    r.Form5->showForm();
    kv::test::clickShown(r.Form5->BitBtn1);
    kv::test::clickShown(r.Form6->Button2);
    QVERIFY(!r.Form6->isVisible());
    QVERIFY(!env.exists(QStringLiteral("Code.txt")));
    QCOMPARE(r.Form5->Memo9->text(), initialTemplate);

    QTest::keyClick(r.Form5->Memo3, Qt::Key_Home, Qt::ControlModifier);
    for (int i = 0; i < 7; ++i) // past "<title>"
        QTest::keyClick(r.Form5->Memo3, Qt::Key_Right);
    kv::test::typeText(r.Form5->Memo3, QStringLiteral("Сайт"));
    QCOMPARE(r.Form5->Memo3->text(), cp("<title>Сайт</title>\r\n"));
    kv::test::clickShown(r.Form5->BitBtn1);
    kv::test::clickShown(r.Form6->Button1);
    QByteArray later = initialTemplate;
    later.replace("<title></title>", cp("<title>Сайт</title>"));
    QCOMPARE(env.read(QStringLiteral("Code.txt")), later);
    QVERIFY(env.services.calls.isEmpty());
}

void TestTemplateWindows::changeWhileQuestionOpen()
{
    kv::test::StartedEnv env;
    Registry &r = registry();
    r.Form5->showForm();
    kv::test::clickShown(r.Form5->BitBtn1);
    QVERIFY(r.Form6->isVisible());

    // The question stays open while the fragments change and are assembled again.
    QTest::keyClick(r.Form5->Memo8, Qt::Key_End, Qt::ControlModifier);
    kv::test::typeText(r.Form5->Memo8, QStringLiteral("<!-- конец -->"));
    kv::test::clickShown(r.Form5->BitBtn1);
    QVERIFY(r.Form6->isVisible());
    const QByteArray second = initialTemplate + cp("<!-- конец -->");
    QCOMPARE(r.Form5->Memo9->text(), second);

    // "Продолжить" leaves the question open; "Да" then saves what it assembled.
    QTest::keyClick(r.Form5->Memo1, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(r.Form5->Memo1, Qt::Key_Delete);
    kv::test::clickShown(r.Form5->BitBtn2);
    QVERIFY(!r.Form5->isVisible());
    QVERIFY(r.Form6->isVisible());
    const QByteArray third = second.mid(8);
    QCOMPARE(r.Form1->Memo1->text(), third);
    kv::test::clickShown(r.Form6->Button1);
    QCOMPARE(env.read(QStringLiteral("Code.txt")), third);
    QVERIFY(!r.Form6->isVisible());
}

void TestTemplateWindows::yesFailureKeepsWindowAndFile_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Code.txt is a folder") << QStringLiteral("folder");
    QTest::newRow("code.txt is a folder") << QStringLiteral("lower-case folder");
    QTest::newRow("Code.txt links into a missing folder") << QStringLiteral("dangling link");
}

void TestTemplateWindows::yesFailureKeepsWindowAndFile()
{
    QFETCH(QString, how);
    kv::test::StartedEnv env;
    Registry &r = registry();
    QString blocked = QStringLiteral("Code.txt");
    if (how == QStringLiteral("folder") || how == QStringLiteral("lower-case folder")) {
        if (how != QStringLiteral("folder"))
            blocked = QStringLiteral("code.txt");
        env.write(blocked + QStringLiteral("/old.txt"), "old");
    } else {
        QVERIFY(QFile::link(QStringLiteral("missing/Code.txt"), env.path(blocked)));
    }
    r.Form5->showForm();
    kv::test::clickShown(r.Form5->BitBtn1);
    kv::test::clickShown(r.Form6->Button1);

    const QStringList errors = env.services.textsOf(QStringLiteral("error"));
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].startsWith(QStringLiteral("Cannot create file \"%1\". ").arg(env.path(blocked))),
             qPrintable(errors[0]));
    QVERIFY(r.Form6->isVisible());
    // Whatever stood there stays as it was.
    if (how == QStringLiteral("dangling link")) {
        QCOMPARE(QFileInfo(env.path(blocked)).symLinkTarget(), env.path(QStringLiteral("missing/Code.txt")));
        QVERIFY(!QFileInfo::exists(env.path(QStringLiteral("missing"))));
    } else {
        QCOMPARE(env.read(blocked + QStringLiteral("/old.txt")), QByteArray("old"));
    }
    QCOMPARE(QDir(env.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden),
             QStringList{blocked} << QStringLiteral("drive_c"));

    // Once the way is clear, "Да" works from the same open window.
    QVERIFY(how == QStringLiteral("dangling link") ? QFile::remove(env.path(blocked))
                                                    : QDir(env.path(blocked)).removeRecursively());
    kv::test::clickShown(r.Form6->Button1);
    QCOMPARE(env.read(QStringLiteral("Code.txt")), initialTemplate);
    QVERIFY(!r.Form6->isVisible());
}

QTEST_MAIN(TestTemplateWindows)
#include "tst_templatewindows.moc"
