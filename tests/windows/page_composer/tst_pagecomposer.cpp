// The page composer: "Компиляция" joins the ten fragments as they stand,
// shows the page, writes "Web.html" and "Code.txt" and opens the page; the
// colour buttons replace the font fragment with their tag.
#include "app/registry.h"
#include "support/testenv.h"
#include "windows/page_composer/pagecomposer.h"

#include <QDir>
#include <QTest>

using namespace kv;
using kv::test::cp;
using kv::test::TestEnv;

namespace {

TForm9 *composer()
{
    TForm9 *form = registry().Form9;
    form->showForm();
    return form;
}

QList<QByteArray> linesOf(const QByteArray &text)
{
    QList<QByteArray> lines = text.split('\n');
    lines.removeLast(); // after the final line break
    return lines;
}

// The error box for a file that could not be created: full path, the
// reason, exactly one final period.
void verifyCannotCreate(const TestEnv &env, const QString &name)
{
    const QStringList errors = env.services.textsOf(QStringLiteral("error"));
    QCOMPARE(errors.size(), 1);
    const QString prefix = QStringLiteral("Cannot create file \"%1\". ").arg(env.path(name));
    QVERIFY2(errors.first().startsWith(prefix), qPrintable(errors.first()));
    QVERIFY(errors.first().size() > prefix.size() + 1);
    QVERIFY(errors.first().endsWith(u'.'));
    QVERIFY(!errors.first().endsWith(QStringLiteral("..")));
}

} // namespace

class TestPageComposer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void compileWritesTheStartingPage();
    void colourButtons_data();
    void colourButtons();
    void tagsReplaceEachOther();
    void editedFragments_data();
    void editedFragments();
    void compileAgainReplacesThePage();
    void fileErrors_data();
    void fileErrors();
    void labelsNameTheirBoxes();
};

void TestPageComposer::compileWritesTheStartingPage()
{
    TestEnv env;
    TForm9 *form = composer();
    QTest::mouseClick(form->Button17, Qt::LeftButton);

    const QByteArray page = env.read(QStringLiteral("Web.html"));
    QCOMPARE(page.size(), 612);
    QCOMPARE(env.read(QStringLiteral("Code.txt")), page);
    QCOMPARE(form->Memo11->text(), page);
    QVERIFY(page.endsWith("</html>\r\n"));
    QCOMPARE(page.count("\r\n"), 27);
    QCOMPARE(page.count('\n'), 27);
    QCOMPARE(page.count('\r'), 27);

    const QList<QByteArray> lines = linesOf(page);
    QCOMPARE(lines.size(), 27);
    QCOMPARE(lines[0], QByteArray("<html>\r"));
    QCOMPARE(lines[2], QByteArray("<title>") + cp("Заголовок") + "</title>\r");
    QCOMPARE(lines[5], QByteArray("<font color=\"#CC0000\">") + cp("Красный ") + "\r");
    QCOMPARE(lines[6], cp("цвет шрифта") + "</font>\r");
    QCOMPARE(lines[7], QByteArray("<p align=\"justify\">\r"));
    QCOMPARE(lines[8], cp("Я совсем недавно начал(а) \r"));
    QCOMPARE(lines[22], cp("виртуальный друг? :)\r"));
    QCOMPARE(lines[23], QByteArray("</p> \r"));
    QCOMPARE(lines[24], cp("Файл не загружен!\r"));
    QCOMPARE(lines[25], QByteArray("</body>\r"));
    QCOMPARE(lines[26], QByteArray("</html>\r"));
    // The main code's lines 2 to 15 end with one blank.
    for (int i = 8; i <= 21; ++i)
        QVERIFY2(lines[i].endsWith(" \r") && !lines[i].endsWith("  \r"), lines[i].constData());

    QCOMPARE(env.services.calls,
             (QList<RecordingDesktopServices::Call>{{QStringLiteral("shell"), QStringLiteral("Web.html"), 1}}));
}

void TestPageComposer::colourButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QByteArray>("tag");
    const char *rows[][3] = {
        {"Button1", "Чёрный", "000000"},     {"Button2", "Тем.Серый", "808080"},
        {"Button3", "Серый", "C0C0C0"},      {"Button4", "Белый", "FFFFFF"},
        {"Button5", "Бордовый", "800000"},   {"Button6", "Красный", "FF0000"},
        {"Button7", "Фиолетовый", "800080"}, {"Button8", "Лиловый", "FF00FF"},
        {"Button9", "Зелёный", "00F000"},    {"Button10", "Яр.Зелёный", "00FF00"},
        {"Button11", "Оливковый", "808000"}, {"Button12", "Жёлтый", "FFFF00"},
        {"Button13", "Тем.Синий", "000080"}, {"Button14", "Синий", "0000FF"},
        {"Button15", "Син.Зелёный", "008080"}, {"Button16", "Бирюзовый", "00FFFF"},
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << QString::fromLatin1(row[0]) << QString::fromUtf8(row[1])
                              << QByteArray("<font color=\"#") + row[2] + "\"></font>";
}

void TestPageComposer::colourButtons()
{
    QFETCH(QString, button);
    QFETCH(QString, caption);
    QFETCH(QByteArray, tag);
    TestEnv env;
    TForm9 *form = composer();
    auto *pressed = form->GroupBox1->findChild<TButton *>(button);
    QVERIFY(pressed);
    QCOMPARE(pressed->text(), caption);
    QCOMPARE(tag.size(), 29);

    QTest::mouseClick(pressed, Qt::LeftButton);
    QCOMPARE(form->Memo6->text(), tag);
    QTest::mouseClick(form->Button17, Qt::LeftButton);

    const QByteArray page = env.read(QStringLiteral("Web.html"));
    QCOMPARE(page.size(), 589);
    QCOMPARE(env.read(QStringLiteral("Code.txt")), page);
    const QList<QByteArray> lines = linesOf(page);
    QCOMPARE(lines.size(), 25);
    QCOMPARE(lines[5], tag + "<p align=\"justify\">\r");
}

void TestPageComposer::tagsReplaceEachOther()
{
    TestEnv env;
    TForm9 *form = composer();
    // Whatever was typed, and wherever the caret stands, goes.
    form->Memo6->setFocus();
    QTest::keyClicks(form->Memo6, QStringLiteral("typed"));
    QVERIFY(form->Memo6->text().contains("typed"));
    QTest::mouseClick(form->Button6, Qt::LeftButton); // "Красный"
    QTest::mouseClick(form->Button14, Qt::LeftButton); // "Синий"
    QCOMPARE(form->Memo6->text(), QByteArray("<font color=\"#0000FF\"></font>"));
    QCOMPARE(form->Memo7->text().left(21), QByteArray("<p align=\"justify\">\r\n"));
    QVERIFY(form->Memo11->text().isEmpty());
}

void TestPageComposer::editedFragments_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("expectedPart");
    QTest::addColumn<int>("lineCount");
    QTest::newRow("empty additional code")
        << QStringLiteral("Memo8") << QByteArray() << QByteArray("</p> \r\n</body>\r\n") << 26;
    QTest::newRow("opening without line break")
        << QStringLiteral("Memo1") << QByteArray("<html>") << QByteArray("<html><head>\r\n") << 26;
    QTest::newRow("empty title")
        << QStringLiteral("Memo3") << QByteArray() << QByteArray("<head>\r\n</head>\r\n") << 26;
    QTest::newRow("closing without line break")
        << QStringLiteral("Memo10") << QByteArray("</html>") << QByteArray("</body>\r\n</html>") << 27;
}

void TestPageComposer::editedFragments()
{
    QFETCH(QString, box);
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, expectedPart);
    QFETCH(int, lineCount);
    TestEnv env;
    TForm9 *form = composer();
    auto *memo = form->client()->findChild<TMemo *>(box);
    QVERIFY(memo);
    memo->setText(text);
    QTest::mouseClick(form->Button17, Qt::LeftButton);

    const QByteArray page = env.read(QStringLiteral("Web.html"));
    QVERIFY2(page.contains(expectedPart), page.constData());
    QCOMPARE(page.count("\r\n") + (page.endsWith("\r\n") ? 0 : 1), lineCount);
    QCOMPARE(page.count('\n'), page.count("\r\n"));
    QCOMPARE(env.read(QStringLiteral("Code.txt")), page);
}

void TestPageComposer::compileAgainReplacesThePage()
{
    TestEnv env;
    TForm9 *form = composer();
    QTest::mouseClick(form->Button17, Qt::LeftButton);
    const QByteArray first = env.read(QStringLiteral("Web.html"));

    // Typing into the result box changes nothing that is written.
    form->Memo11->setFocus();
    QTest::keyClicks(form->Memo11, QStringLiteral("lost"));
    QVERIFY(form->Memo11->text().contains("lost"));
    QTest::mouseClick(form->Button17, Qt::LeftButton);

    QCOMPARE(form->Memo11->text(), first);
    QCOMPARE(env.read(QStringLiteral("Web.html")), first);
    QCOMPARE(env.read(QStringLiteral("Code.txt")), first);
    QCOMPARE(env.services.textsOf(QStringLiteral("shell")),
             (QStringList{QStringLiteral("Web.html"), QStringLiteral("Web.html")}));

    // Hidden and shown again, the window keeps its texts.
    form->closeForm();
    form->showForm();
    QCOMPARE(form->Memo11->text(), first);
}

void TestPageComposer::fileErrors_data()
{
    QTest::addColumn<QString>("blocked");
    QTest::addColumn<bool>("webWritten");
    QTest::newRow("Web.html") << QStringLiteral("Web.html") << false;
    QTest::newRow("Code.txt") << QStringLiteral("Code.txt") << true;
}

void TestPageComposer::fileErrors()
{
    QFETCH(QString, blocked);
    QFETCH(bool, webWritten);
    TestEnv env;
    env.write(QStringLiteral("Web.html"), "old page");
    env.write(QStringLiteral("Code.txt"), "old code");
    // A folder of that name cannot be created as a file.
    QFile::remove(env.path(blocked));
    QVERIFY(QDir(env.folder()).mkdir(blocked));

    TForm9 *form = composer();
    QTest::mouseClick(form->Button17, Qt::LeftButton);

    verifyCannotCreate(env, blocked);
    QCOMPARE(form->Memo11->text().size(), 612);
    if (webWritten)
        QCOMPARE(env.read(QStringLiteral("Web.html")), form->Memo11->text());
    else
        QCOMPARE(env.read(QStringLiteral("Code.txt")), QByteArray("old code"));
    QVERIFY(env.services.textsOf(QStringLiteral("shell")).isEmpty());
}

void TestPageComposer::labelsNameTheirBoxes()
{
    TestEnv env;
    TForm9 *form = composer();
    QCOMPARE(form->Memo1->accessibleName(), QStringLiteral("Открытие документа"));
    QCOMPARE(form->Memo9->accessibleName(), QStringLiteral("Закрытие тело"));
    QCOMPARE(form->Memo10->accessibleName(), QStringLiteral("Закрытие документа"));
    // Tab order: the fragments in document order, then the colour panel.
    QWidget *next = form->Memo1;
    const QList<QWidget *> chain = {form->Memo2, form->Memo3, form->Memo4, form->Memo5, form->Memo6,
                                    form->Memo7, form->Memo8, form->Memo9, form->Memo10, form->Button1};
    for (QWidget *expected : chain) {
        do
            next = next->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus));
        QCOMPARE(next, expected);
    }
}

QTEST_MAIN(TestPageComposer)
#include "tst_pagecomposer.moc"
