// The tips window: paging through the tip files with the two stacks of
// buttons, clicked where the user clicks them.

// Mouse clicks go through the window system to whatever widget lies at the
// point, as a user's click does, not straight to the widget named.
#define QTEST_QPA_MOUSE_HANDLING
#include "app/registry.h"
#include "support/testenv.h"
#include "windows/tips/tipswindow.h"

#include <QTest>

using namespace kv;
using kv::test::TestEnv;

namespace {

QStringList strings(std::initializer_list<const char *> items)
{
    QStringList list;
    for (const char *item : items)
        list.append(QString::fromLatin1(item));
    return list;
}

const QPoint previousPlace{60, 180};
const QPoint nextPlace{268, 180};

// Every tip file, each holding its own name as one line ending in LF.
void writeTips(const TestEnv &env)
{
    for (const char *tip : {"001", "002", "003", "004", "005", "006", "007", "008", "009", "010", "01"})
        env.write(QStringLiteral("help/info/help%1.txt").arg(QLatin1String(tip)), QByteArray("tip ") + tip + "\n");
}

// The tip a text shows, by the name of its file ("001", ..., "01").
QString tipShown(const TForm14 *form)
{
    const QByteArray text = form->Memo1->text();
    if (!text.startsWith("tip ") || !text.endsWith("\r\n"))
        return QString::fromLatin1(text);
    return QString::fromLatin1(text.mid(4, text.size() - 6));
}

TForm14 *shownTips()
{
    TForm14 *form = registry().Form14;
    form->showForm();
    if (!QTest::qWaitForWindowExposed(form))
        qWarning("tips window not exposed");
    return form;
}

void clickAt(TForm14 *form, QChar which)
{
    QTest::mouseClick(form->client(), Qt::LeftButton, {}, which == u'N' ? nextPlace : previousPlace);
}

QStringList visibleButtons(const TForm14 *form)
{
    QStringList names;
    for (const QObject *child : form->client()->children())
        if (auto *button = qobject_cast<const QPushButton *>(child); button && button->isVisible())
            names.append(button->objectName());
    return names;
}

} // namespace

class TestTipsWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensWithBuiltInTipAndOneButtonEachSide();
    void sequences_data();
    void sequences();
    void missingTipsChangeNoButton_data();
    void missingTipsChangeNoButton();
    void stateSurvivesHidingAndTyping();
};

void TestTipsWindow::opensWithBuiltInTipAndOneButtonEachSide()
{
    TestEnv env;
    TForm14 *form = shownTips();
    QCOMPARE(form->Memo1->text(), kv::test::crlfLines({"Чтобы начать свой проект, нажмите Файл->Новый->Проект."}));
    QCOMPARE(visibleButtons(form), strings({"BitBtn1", "BitBtn2"}));
    QCOMPARE(form->BitBtn1->text(), QStringLiteral("Предыдущий совет"));
    QCOMPARE(form->BitBtn2->text(), QStringLiteral("Следующий совет"));
    QCOMPARE(form->client()->childAt(previousPlace), form->BitBtn1);
    QCOMPARE(form->client()->childAt(nextPlace), form->BitBtn2);
    // The wider BitBtn13 ends where the other previous-tip buttons end.
    QCOMPARE(form->BitBtn13->geometry().right(), form->BitBtn12->geometry().right());
    QVERIFY(form->ProgressBar1->isVisible());
    QCOMPARE(form->ProgressBar1->value(), 0);
}

void TestTipsWindow::sequences_data()
{
    QTest::addColumn<QString>("clicks"); // N = "Следующий совет", P = "Предыдущий совет"
    QTest::addColumn<QStringList>("tips");
    QTest::newRow("next alone cycles") << QStringLiteral("NNNNNNNNNNNN")
                                       << strings({"001", "002", "003", "004", "005", "006", "007", "008", "009",
                                                      "010", "001", "002"});
    QTest::newRow("previous alone") << QStringLiteral("PPPPPPPPPPPP")
                                    << strings({"010", "009", "008", "007", "006", "005", "004", "003", "002",
                                                   "01", "010", "009"});
    QTest::newRow("next next previous") << QStringLiteral("NNP") << strings({"001", "002", "009"});
    QTest::newRow("next thrice previous") << QStringLiteral("NNNP") << strings({"001", "002", "003", "008"});
    QTest::newRow("next previous repeated") << QStringLiteral("NPNPNP")
                                            << strings({"001", "010", "001", "010", "001", "010"});
    QTest::newRow("previous previous next") << QStringLiteral("PPN") << strings({"010", "009", "002"});
}

void TestTipsWindow::sequences()
{
    QFETCH(QString, clicks);
    QFETCH(QStringList, tips);
    TestEnv env;
    writeTips(env);
    TForm14 *form = shownTips();
    QStringList shown;
    for (const QChar click : clicks) {
        clickAt(form, click);
        shown.append(tipShown(form));
        // Each side always offers exactly one button of its own kind.
        QCOMPARE(form->client()->childAt(previousPlace)->property("text").toString(), QStringLiteral("Предыдущий совет"));
        QCOMPARE(form->client()->childAt(nextPlace)->property("text").toString(), QStringLiteral("Следующий совет"));
    }
    QCOMPARE(shown, tips);
    QVERIFY(env.services.calls.isEmpty());
}

void TestTipsWindow::missingTipsChangeNoButton_data()
{
    QTest::addColumn<QString>("present"); // tip files written before the clicks
    QTest::addColumn<QString>("clicks");  // the last one fails
    QTest::addColumn<QString>("missing");
    QTest::newRow("no help folder, next") << QString() << QStringLiteral("N") << QStringLiteral("help/info/help001.txt");
    QTest::newRow("no help folder, previous") << QString() << QStringLiteral("P") << QStringLiteral("help/info/help010.txt");
    QTest::newRow("second tip missing") << QStringLiteral("001") << QStringLiteral("NN")
                                        << QStringLiteral("help/info/help002.txt");
    QTest::newRow("two-digit tip missing")
        << QStringLiteral("010 009 008 007 006 005 004 003 002") << QStringLiteral("PPPPPPPPPP")
        << QStringLiteral("help/info/help01.txt");
}

void TestTipsWindow::missingTipsChangeNoButton()
{
    QFETCH(QString, present);
    QFETCH(QString, clicks);
    QFETCH(QString, missing);
    TestEnv env;
    for (const QString &tip : present.split(u' ', Qt::SkipEmptyParts))
        env.write(QStringLiteral("help/info/help%1.txt").arg(tip), "tip " + tip.toLatin1() + "\n");
    TForm14 *form = shownTips();
    for (const QChar click : clicks.chopped(1))
        clickAt(form, click);
    const QStringList before = visibleButtons(form);
    const QString error = QStringLiteral("Cannot open file \"%1\". No such file or directory.").arg(env.path(missing));

    clickAt(form, clicks.back());
    QCOMPARE(form->Memo1->text(), QByteArray());
    QCOMPARE(visibleButtons(form), before);
    QCOMPARE(env.services.textsOf(QStringLiteral("error")), QStringList{error});

    // The same button stays on top and tries the same file again.
    form->Memo1->setText("typed");
    clickAt(form, clicks.back());
    QCOMPARE(form->Memo1->text(), QByteArray());
    QCOMPARE(visibleButtons(form), before);
    QCOMPARE(env.services.textsOf(QStringLiteral("error")), (QStringList{error, error}));
}

void TestTipsWindow::stateSurvivesHidingAndTyping()
{
    TestEnv env;
    writeTips(env);
    TForm14 *form = shownTips();
    clickAt(form, u'N');
    clickAt(form, u'N');
    form->Memo1->moveCursor(QTextCursor::End);
    QTest::keyClicks(form->Memo1, QStringLiteral("note"));
    form->close();
    QVERIFY(!form->isVisible());
    form = shownTips();
    QCOMPARE(form->Memo1->text(), QByteArray("tip 002\r\nnote"));
    QCOMPARE(visibleButtons(form), strings({"BitBtn1", "BitBtn4", "BitBtn12"}));
    // The next command clears what was typed.
    clickAt(form, u'N');
    QCOMPARE(tipShown(form), QStringLiteral("003"));
}

QTEST_MAIN(TestTipsWindow)
#include "tst_tipswindow.moc"
