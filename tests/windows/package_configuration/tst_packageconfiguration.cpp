// The package configuration window: which "Сохранить" lies on top after
// each step, and so which numbered code file a click there writes; the
// colour selection; and what a failing load or save leaves behind.
#include "app/registry.h"
#include "platform/tmemo.h"
#include "support/testenv.h"
#include "windows/package_configuration/packageconfigurationwindow.h"

#include <QDir>
#include <QTest>

using namespace kv;
using kv::test::TestEnv;

namespace {

const QPoint savePlace = QRect(568, 408, 105, 25).center();

QString fileOf(int n)
{
    return QStringLiteral("update/Code%1.txt").arg(n);
}

QByteArray contentOf(int n)
{
    return QByteArray("fragment ") + QByteArray::number(n) + "\r\nsecond line\r\n";
}

// The ten numbered code files, each with a text of its own.
void writeCodeFiles(const TestEnv &env)
{
    for (int n = 1; n <= 10; ++n)
        env.write(fileOf(n), contentOf(n));
}

TForm10 *shownWindow()
{
    TForm10 *form = registry().Form10;
    form->showForm();
    if (!QTest::qWaitForWindowExposed(form))
        qWarning("window not exposed");
    return form;
}

// A mouse click at the place of the save stack, through the window as the
// desktop delivers it, so the button lying on top takes it.
void clickSaveStack(TForm10 *form)
{
    QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, form->client()->mapTo(form, savePlace));
}

TBitBtn *topSaveButton(TForm10 *form)
{
    return dynamic_cast<TBitBtn *>(form->client()->childAt(savePlace));
}

// Steps as the user takes them: "tag N", "colour K", "apply", "save".
void run(TForm10 *form, const QStringList &steps)
{
    const std::array<TButton *, 10> tags = {form->Button1, form->Button2, form->Button3, form->Button4,
                                            form->Button5, form->Button6, form->Button7, form->Button8,
                                            form->Button9, form->Button10};
    for (const QString &step : steps) {
        const QStringList words = step.split(u' ');
        if (words[0] == u"tag")
            QTest::mouseClick(tags[words[1].toInt() - 1], Qt::LeftButton);
        else if (words[0] == u"colour")
            QTest::mouseClick(form->colourButtons()[words[1].toInt() - 1], Qt::LeftButton);
        else if (words[0] == u"apply")
            QTest::mouseClick(form->Frame121->Button9, Qt::LeftButton);
        else if (words[0] == u"save")
            clickSaveStack(form);
        else
            QFAIL(qPrintable(step));
    }
}

// The number of the one disabled colour button, 0 when all are enabled.
int disabledColour(TForm10 *form)
{
    int disabled = 0;
    const auto colours = form->colourButtons();
    for (int k = 1; k <= 8; ++k)
        if (!colours[k - 1]->isEnabled()) {
            if (disabled)
                return -1;
            disabled = k;
        }
    return disabled;
}

QByteArray tag(const char *hex)
{
    return QByteArray("<font color=\"#") + hex + "\"></font>";
}

} // namespace

class TestPackageConfiguration : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsWithNothingToSave();
    void saveTarget_data();
    void saveTarget();
    void keyboardReachesCoveredButton();
    void editedTextIsSaved();
    void loadFailureKeepsState_data();
    void loadFailureKeepsState();
    void saveFailureChangesNothing();
    void tabOrderAndNames();
};

void TestPackageConfiguration::startsWithNothingToSave()
{
    TestEnv env;
    TForm10 *form = shownWindow();
    QVERIFY(form->BitBtn11->isVisible());
    QVERIFY(!form->BitBtn11->isEnabled());
    for (TBitBtn *button : form->fileSaveButtons())
        QVERIFY(!button->isVisible());
    QVERIFY(!form->BitBtn12->isVisible());
    QCOMPARE(topSaveButton(form), form->BitBtn11);
    QCOMPARE(disabledColour(form), 0);
    QVERIFY(form->Frame131->Memo1->text().isEmpty());

    // The stack's own bottom button does nothing; no folder or file appears.
    clickSaveStack(form);
    QVERIFY(!env.exists(QStringLiteral("update")));
    QVERIFY(env.services.calls.isEmpty());
}

void TestPackageConfiguration::saveTarget_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("top");
    QTest::addColumn<int>("written");       // the file a click on "Сохранить" writes
    QTest::addColumn<QByteArray>("content"); // what it then holds
    QTest::addColumn<int>("disabled");      // the disabled colour button, 0 for none

    for (int n = 1; n <= 10; ++n)
        QTest::addRow("tag %d", n) << QStringList{QStringLiteral("tag %1").arg(n)}
                                   << QStringLiteral("BitBtn%1").arg(n) << n << contentOf(n) << 0;
    const char *hexes[] = {"000000", "C0C0C0", "FFFFFF", "FF0000", "00F000", "FFFF00", "0000FF", "00FFFF"};
    for (int k = 1; k <= 8; ++k)
        QTest::addRow("colour %d", k) << QStringList{QStringLiteral("colour %1").arg(k)}
                                      << QStringLiteral("BitBtn12") << 8 << tag(hexes[k - 1]) << k;

    QTest::newRow("<font> then Красный")
        << QStringList{QStringLiteral("tag 6"), QStringLiteral("colour 4")} << QStringLiteral("BitBtn12") << 8
        << tag("FF0000") << 4;
    QTest::newRow("Чёрный then Белый")
        << QStringList{QStringLiteral("colour 1"), QStringLiteral("colour 3")} << QStringLiteral("BitBtn12") << 8
        << tag("FFFFFF") << 3;
    QTest::newRow("<code> then Применить")
        << QStringList{QStringLiteral("tag 7"), QStringLiteral("apply")} << QStringLiteral("BitBtn12") << 8
        << contentOf(7) << 0;
    QTest::newRow("colour then Применить")
        << QStringList{QStringLiteral("colour 2"), QStringLiteral("apply")} << QStringLiteral("BitBtn12") << 8
        << tag("C0C0C0") << 0;
    QTest::newRow("Применить at start")
        << QStringList{QStringLiteral("apply")} << QStringLiteral("BitBtn12") << 8 << QByteArray() << 0;
    QTest::newRow("colour then tag")
        << QStringList{QStringLiteral("colour 5"), QStringLiteral("tag 2")} << QStringLiteral("BitBtn2") << 2
        << contentOf(2) << 5;
    QTest::newRow("tag then tag")
        << QStringList{QStringLiteral("tag 9"), QStringLiteral("tag 4")} << QStringLiteral("BitBtn4") << 4
        << contentOf(4) << 0;
    QTest::newRow("saving changes nothing")
        << QStringList{QStringLiteral("tag 3"), QStringLiteral("save"), QStringLiteral("save")}
        << QStringLiteral("BitBtn3") << 3 << contentOf(3) << 0;
    QTest::newRow("pressed colour button is disabled")
        << QStringList{QStringLiteral("tag 1"), QStringLiteral("colour 6"), QStringLiteral("tag 1"),
                       QStringLiteral("colour 6")}
        << QStringLiteral("BitBtn1") << 1 << contentOf(1) << 6;
}

void TestPackageConfiguration::saveTarget()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, top);
    QFETCH(int, written);
    QFETCH(QByteArray, content);
    QFETCH(int, disabled);
    TestEnv env;
    writeCodeFiles(env);
    TForm10 *form = shownWindow();
    run(form, steps);

    QVERIFY(env.services.calls.isEmpty());
    QCOMPARE(topSaveButton(form)->objectName(), top);
    QVERIFY(form->BitBtn11->isVisible() && !form->BitBtn11->isEnabled());
    QCOMPARE(disabledColour(form), disabled);
    QCOMPARE(form->Frame131->Memo1->text(), content);

    // Which file the click writes: every file is marked first.
    for (int n = 1; n <= 10; ++n)
        env.write(fileOf(n), "untouched");
    clickSaveStack(form);
    for (int n = 1; n <= 10; ++n)
        QCOMPARE(env.read(fileOf(n)), n == written ? content : QByteArray("untouched"));
    QVERIFY(env.services.calls.isEmpty());

    // Closing and showing again changes nothing.
    form->closeForm();
    form->showForm();
    QCOMPARE(topSaveButton(form)->objectName(), top);
    QCOMPARE(disabledColour(form), disabled);
}

void TestPackageConfiguration::keyboardReachesCoveredButton()
{
    TestEnv env;
    writeCodeFiles(env);
    TForm10 *form = shownWindow();
    run(form, {QStringLiteral("tag 7"), QStringLiteral("apply")});
    QVERIFY(form->BitBtn7->isVisible());
    QCOMPARE(topSaveButton(form), form->BitBtn12);

    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form));
    form->Button10->setFocus(Qt::TabFocusReason);
    QVERIFY(form->Button10->hasFocus());
    // From the last tag button, Tab passes the disabled and the hidden
    // buttons and lands on the covered BitBtn7.
    QTest::keyClick(form->Button10, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form->BitBtn7);
    QTest::keyClick(form->BitBtn7, Qt::Key_Space);
    QCOMPARE(env.read(fileOf(7)), contentOf(7));
    env.write(fileOf(7), "marked");
    form->Frame131->Memo1->setText("typed");
    QTest::keyClick(form->BitBtn7, Qt::Key_Space);
    QCOMPARE(env.read(fileOf(7)), QByteArray("typed"));
    QCOMPARE(env.read(fileOf(8)), contentOf(8));

    QTest::keyClick(form->BitBtn7, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form->BitBtn12);
}

void TestPackageConfiguration::editedTextIsSaved()
{
    TestEnv env;
    writeCodeFiles(env);
    env.write(fileOf(3), "<title>\nTitle</title>");
    TForm10 *form = shownWindow();
    run(form, {QStringLiteral("tag 3"), QStringLiteral("save")});
    // Loaded and saved without edits: the line breaks come back as CR LF.
    QCOMPARE(env.read(fileOf(3)), QByteArray("<title>\r\nTitle</title>"));

    form->Frame131->Memo1->setFocus();
    form->Frame131->Memo1->moveCursor(QTextCursor::End);
    QTest::keyClicks(form->Frame131->Memo1, QStringLiteral("!"));
    clickSaveStack(form);
    QCOMPARE(env.read(fileOf(3)), QByteArray("<title>\r\nTitle</title>!"));
}

void TestPackageConfiguration::loadFailureKeepsState_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QString>("top");
    QTest::addColumn<QByteArray>("box");
    QTest::addColumn<int>("disabled");
    const QStringList problems = {QStringLiteral("missing file"), QStringLiteral("missing folder"),
                                  QStringLiteral("too large")};
    for (const QString &problem : problems) {
        QTest::addRow("start, %s", qPrintable(problem))
            << QStringList{} << problem << QStringLiteral("BitBtn11") << QByteArray() << 0;
        QTest::addRow("after <title>, %s", qPrintable(problem))
            << QStringList{QStringLiteral("tag 3")} << problem << QStringLiteral("BitBtn3") << contentOf(3) << 0;
        QTest::addRow("after Красный, %s", qPrintable(problem))
            << QStringList{QStringLiteral("colour 4")} << problem << QStringLiteral("BitBtn12") << tag("FF0000") << 4;
    }
}

void TestPackageConfiguration::loadFailureKeepsState()
{
    QFETCH(QStringList, before);
    QFETCH(QString, problem);
    QFETCH(QString, top);
    QFETCH(QByteArray, box);
    QFETCH(int, disabled);
    TestEnv env;
    writeCodeFiles(env);
    TForm10 *form = shownWindow();
    run(form, before);

    if (problem == u"missing file")
        QVERIFY(QFile::remove(env.path(fileOf(5))));
    else if (problem == u"missing folder")
        QVERIFY(QDir(env.path(QStringLiteral("update"))).removeRecursively());
    else
        TMemo::setCapacity(contentOf(5).size() - 1);
    run(form, {QStringLiteral("tag 5")}); // "<body>"

    if (problem == u"too large")
        QCOMPARE(env.services.textsOf(QStringLiteral("error")), QStringList{QStringLiteral("Text exceeds memo capacity.")});
    else
        kv::test::verifyFileError(env, QStringLiteral("open"), fileOf(5));
    QCOMPARE(form->Frame131->Memo1->text(), box);
    QCOMPARE(topSaveButton(form)->objectName(), top);
    QCOMPARE(disabledColour(form), disabled);
}

void TestPackageConfiguration::saveFailureChangesNothing()
{
    TestEnv env;
    TForm10 *form = shownWindow();
    run(form, {QStringLiteral("colour 7"), QStringLiteral("save")});

    kv::test::verifyFileError(env, QStringLiteral("create"), fileOf(8));
    QVERIFY(!env.exists(QStringLiteral("update")));
    QCOMPARE(form->Frame131->Memo1->text(), tag("0000FF"));
    QCOMPARE(topSaveButton(form), form->BitBtn12);
    QCOMPARE(disabledColour(form), 7);
}

void TestPackageConfiguration::tabOrderAndNames()
{
    TestEnv env;
    TForm10 *form = shownWindow();
    // The frame's names belong to the frame: the window has a Button1 of
    // its own beside Frame121's.
    QCOMPARE(form->Frame121->findChild<QWidget *>(QStringLiteral("Button1")), form->Frame121->Button1);
    QCOMPARE(form->GroupBox1->findChild<QWidget *>(QStringLiteral("Button1")), form->Button1);
    QCOMPARE(form->client()->findChildren<QWidget *>(QStringLiteral("GroupBox1")).size(), 3);
    QCOMPARE(form->Frame121->geometry(), QRect(8, 8, 294, 182));
    QCOMPARE(form->Frame131->geometry(), QRect(360, 3, 320, 403));
    // "Чёрный" has a font of its own that looks like its neighbours'.
    QCOMPARE(form->Frame121->Button1->font().pixelSize(), form->Frame121->Button2->font().pixelSize());
    QCOMPARE(form->Frame121->Button1->font().weight(), form->Frame121->Button2->font().weight());

    // Every focusable control in tab order, whether visible or not.
    QList<QWidget *> expected;
    for (TButton *button : form->colourButtons())
        expected.append(button);
    expected << form->Frame121->Button9 << form->Frame131->Memo1 << form->Button1 << form->Button2
             << form->Button3 << form->Button4 << form->Button5 << form->Button6 << form->Button7 << form->Button8
             << form->Button9 << form->Button10 << form->BitBtn11;
    for (TBitBtn *button : form->fileSaveButtons())
        expected.append(button);
    expected << form->BitBtn12;

    QList<QWidget *> chain;
    QWidget *w = expected.first();
    do {
        if (w->focusPolicy() & Qt::TabFocus)
            chain.append(w);
        w = w->nextInFocusChain();
    } while (w != expected.first());
    QCOMPARE(chain, expected);
}

QTEST_MAIN(TestPackageConfiguration)
#include "tst_packageconfiguration.moc"
