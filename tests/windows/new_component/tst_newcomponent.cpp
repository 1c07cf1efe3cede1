// The new-component window: the listing of its nine fragments, the
// background button, the preview file and the hand-over to the page editor.
#include "app/registry.h"
#include "support/testenv.h"
#include "windows/main/mainwindow.h"
#include "windows/new_component/newcomponentwindow.h"

#include <QDir>
#include <QTest>

using namespace kv;
using kv::test::crlfLines;
using kv::test::TestEnv;

namespace {

const QByteArray startingListing = crlfLines({
    "<html>",
    "<head>",
    "<title></title>",
    "</head>",
    "<body text=\"#336699\">",
    "<font color=\"#CC0000\">Красный ",
    "шрифт</font>",
    "Здравствуйте, это моя первая ",
    "страница.",
    "<br>",
    "Добро пожаловать!",
    "</body>",
    "</html>",
});

TForm7 *shownWindow()
{
    TForm7 *form = registry().Form7;
    form->showForm();
    return form;
}

} // namespace

class TestNewComponent : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void assemblesTheStartingListing();
    void fillBackground();
    void editedFragments_data();
    void editedFragments();
    void previewWritesTheListing();
    void previewFailure();
    void continueHandsOver_data();
    void continueHandsOver();
};

void TestNewComponent::assemblesTheStartingListing()
{
    TestEnv env;
    TForm7 *form = shownWindow();
    QVERIFY(!form->BitBtn3->isEnabled());
    QVERIFY(form->Memo9->text().isEmpty());

    QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
    QCOMPARE(form->Memo9->text(), startingListing);
    QCOMPARE(form->Memo9->text().count("\r\n"), 13);
    QVERIFY(form->BitBtn3->isEnabled());
    QVERIFY(env.services.calls.isEmpty());

    // A fresh assembly replaces edits made in the listing.
    form->Memo9->setFocus();
    QTest::keyClicks(form->Memo9, QStringLiteral("edit"));
    QVERIFY(form->Memo9->text() != startingListing);
    QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
    QCOMPARE(form->Memo9->text(), startingListing);
}

void TestNewComponent::fillBackground()
{
    TestEnv env;
    TForm7 *form = shownWindow();
    QTest::mouseClick(form->Button1, Qt::LeftButton);
    QCOMPARE(form->Memo9->text(), QByteArray()); // the listing is not rebuilt
    QTest::mouseClick(form->Button1, Qt::LeftButton);
    QCOMPARE(form->Memo5->text(), QByteArray("<body text=\"#336699\" bgcolor=\"#000000\">"));

    QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
    const QList<QByteArray> lines = form->Memo9->text().split('\n');
    QCOMPARE(lines.size() - 1, 12);
    QCOMPARE(lines[4], QByteArray("<body text=\"#336699\" bgcolor=\"#000000\"><font color=\"#CC0000\">") +
                           kv::test::cp("Красный \r"));
    QVERIFY(form->Memo9->text().endsWith("</body>\r\n</html>\r\n"));
}

void TestNewComponent::editedFragments_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("expectedPart");
    QTest::newRow("empty title") << QStringLiteral("Memo3") << QByteArray()
                                 << QByteArray("<head>\r\n</head>\r\n");
    QTest::newRow("font line last") << QStringLiteral("Memo10") << QByteArray("<font>x</font>\r\n")
                                    << QByteArray("<body text=\"#336699\">\r\n<font>x</font>\r\n") +
                                           kv::test::cp("Здравствуйте");
    QTest::newRow("closing body without break") << QStringLiteral("Memo7") << QByteArray("</body>")
                                                << QByteArray("</body></html>\r\n");
}

void TestNewComponent::editedFragments()
{
    QFETCH(QString, box);
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, expectedPart);
    TestEnv env;
    TForm7 *form = shownWindow();
    auto *memo = form->client()->findChild<TMemo *>(box);
    QVERIFY(memo);
    memo->setText(text);
    QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
    QVERIFY2(form->Memo9->text().contains(expectedPart), form->Memo9->text().constData());
}

void TestNewComponent::previewWritesTheListing()
{
    TestEnv env;
    TForm7 *form = shownWindow();
    // Unavailable before assembling.
    QTest::mouseClick(form->BitBtn3, Qt::LeftButton);
    QVERIFY(!env.exists(QStringLiteral("Code.html")));
    QVERIFY(env.services.calls.isEmpty());

    env.write(QStringLiteral("Code.html"), "older");
    QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
    form->Memo9->setFocus();
    form->Memo9->moveCursor(QTextCursor::End);
    QTest::keyClicks(form->Memo9, QStringLiteral("<!-- mine -->"));
    QTest::mouseClick(form->BitBtn3, Qt::LeftButton);

    QCOMPARE(env.read(QStringLiteral("Code.html")), startingListing + "<!-- mine -->");
    QCOMPARE(env.services.calls,
             (QList<RecordingDesktopServices::Call>{{QStringLiteral("shell"), QStringLiteral("Code.html"), 1}}));
}

void TestNewComponent::previewFailure()
{
    TestEnv env;
    QVERIFY(QDir(env.folder()).mkdir(QStringLiteral("Code.html")));
    TForm7 *form = shownWindow();
    QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
    QTest::mouseClick(form->BitBtn3, Qt::LeftButton);

    const QStringList errors = env.services.textsOf(QStringLiteral("error"));
    QCOMPARE(errors.size(), 1);
    const QString prefix = QStringLiteral("Cannot create file \"%1\". ").arg(env.path(QStringLiteral("Code.html")));
    QVERIFY2(errors.first().startsWith(prefix), qPrintable(errors.first()));
    QVERIFY(errors.first().size() > prefix.size() + 1);
    QVERIFY(errors.first().endsWith(u'.') && !errors.first().endsWith(QStringLiteral("..")));
    QVERIFY(env.services.textsOf(QStringLiteral("shell")).isEmpty());
    QCOMPARE(form->Memo9->text(), startingListing);
    QVERIFY(form->BitBtn3->isEnabled());
}

void TestNewComponent::continueHandsOver_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QByteArray>("page");
    QTest::newRow("before assembling") << QStringList{} << QByteArray();
    QTest::newRow("after assembling") << QStringList{QStringLiteral("assemble")} << startingListing;
    QTest::newRow("edited listing") << QStringList{QStringLiteral("assemble"), QStringLiteral("type")}
                                    << startingListing + "!";
    QTest::newRow("second time in a row")
        << QStringList{QStringLiteral("assemble"), QStringLiteral("continue")} << QByteArray();
}

void TestNewComponent::continueHandsOver()
{
    QFETCH(QStringList, steps);
    QFETCH(QByteArray, page);
    TestEnv env;
    TForm7 *form = shownWindow();
    for (const QString &step : steps) {
        if (step == u"assemble") {
            QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
        } else if (step == u"type") {
            form->Memo9->setFocus();
            form->Memo9->moveCursor(QTextCursor::End);
            QTest::keyClicks(form->Memo9, QStringLiteral("!"));
        } else {
            QTest::mouseClick(form->BitBtn2, Qt::LeftButton);
            form->showForm();
        }
    }
    QVERIFY(!registry().Form1->Memo1->text().isEmpty());
    QTest::mouseClick(form->BitBtn2, Qt::LeftButton);

    QCOMPARE(registry().Form1->Memo1->text(), page);
    QVERIFY(form->Memo9->text().isEmpty());
    QVERIFY(!form->BitBtn3->isEnabled());
    QVERIFY(!form->isVisible());
    QVERIFY(env.services.calls.isEmpty());

    // Shown again: not assembled, the fragments as they were left.
    form->showForm();
    QVERIFY(form->Memo9->text().isEmpty());
    QVERIFY(!form->BitBtn3->isEnabled());
    QCOMPARE(form->Memo1->text(), QByteArray("<html>\r\n"));
}

QTEST_MAIN(TestNewComponent)
#include "tst_newcomponent.moc"
