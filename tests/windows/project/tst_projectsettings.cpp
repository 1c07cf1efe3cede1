// The project parameters window (read-only file names) and the project
// options window, whose second check box switches "Просмотр кода".
#include "app/registry.h"
#include "support/testenv.h"
#include "windows/main/mainwindow.h"
#include "windows/project/optionswindow.h"
#include "windows/project/parameterswindow.h"

#include <QDir>
#include <QTest>

using namespace kv;
using kv::test::TestEnv;

namespace {

QStringList folderEntries(const TestEnv &env)
{
    return QDir(env.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
}

} // namespace

class TestProjectSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parametersShowFixedNames_data();
    void parametersShowFixedNames();
    void parametersCloseOnlyHides();
    void viewCodeFollowsFirstCheckBox_data();
    void viewCodeFollowsFirstCheckBox();
    void disabledViewCodeOpensNothing();
};

void TestProjectSettings::parametersShowFixedNames_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("code") << 1 << QStringLiteral("Название файла кода:") << QByteArray("\\SaveCode.txt");
    QTest::newRow("template") << 2 << QStringLiteral("Название файла шаблона:") << QByteArray("\\Code.txt");
    QTest::newRow("page") << 3 << QStringLiteral("Название проектной страницы:") << QByteArray("\\WebProject.html");
    QTest::newRow("project") << 4 << QStringLiteral("Название файла проекта:") << QByteArray("\\Project.wp");
    QTest::newRow("project file") << 5 << QStringLiteral("Файл проекта:") << QByteArray("Web.html");
}

void TestProjectSettings::parametersShowFixedNames()
{
    QFETCH(int, row);
    QFETCH(QString, label);
    QFETCH(QByteArray, text);
    kv::test::StartedEnv env;
    registry().Form1->N35->trigger();
    TForm4 *window = registry().Form4;
    QVERIFY(window->isVisible());
    auto *edit = window->findChild<TEdit *>(QStringLiteral("Edit%1").arg(row));
    auto *caption = window->findChild<TLabel *>(QStringLiteral("Label%1").arg(row));
    QVERIFY(edit && caption);
    QCOMPARE(edit->text(), text);
    QCOMPARE(caption->caption(), label);
    QCOMPARE(edit->accessibleName(), label);
    QCOMPARE(edit->geometry(), QRect(8, 24 + 40 * (row - 1), 161, 21));
    QCOMPARE(caption->pos(), QPoint(8, edit->y() - 16));

    // Greyed: no focus, and neither typing nor deleting changes the text.
    QVERIFY(!edit->isEnabled());
    edit->setFocus();
    QVERIFY(!edit->hasFocus());
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, QStringLiteral("x"));
    QCOMPARE(edit->text(), text);
}

void TestProjectSettings::parametersCloseOnlyHides()
{
    kv::test::StartedEnv env;
    Registry &r = registry();
    r.Form4->showForm();
    const QStringList before = folderEntries(env);
    QTest::mouseClick(r.Form4->Button1, Qt::LeftButton);
    QVERIFY(!r.Form4->isVisible());
    QVERIFY(env.services.calls.isEmpty());
    QCOMPARE(folderEntries(env), before);
    r.Form1->N35->trigger();
    QCOMPARE(r.Form4->Edit2->text(), QByteArray("\\Code.txt"));
}

void TestProjectSettings::viewCodeFollowsFirstCheckBox_data()
{
    // Steps: "open" ("Опции проекта..."), "click1"/"click2" (a mouse click on
    // a check box), "key2" (space on the second), "close" ("Закрыть"). After
    // each step, whether "Просмотр кода" is enabled (1) or not (0).
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("enabled");
    const auto steps = [](const char *list) { return QString::fromLatin1(list).split(u' '); };
    QTest::newRow("first toggle disables") << steps("open click2") << QStringLiteral("10");
    QTest::newRow("toggled back, still disabled") << steps("open click2 click2") << QStringLiteral("100");
    QTest::newRow("many toggles with the first checked") << steps("open click2 key2 click2 key2") << QStringLiteral("10000");
    QTest::newRow("first unchecked, toggle enables") << steps("open click2 click1 click2") << QStringLiteral("1001");
    QTest::newRow("first unchecked, every toggle enables") << steps("open click1 click2 click2 key2") << QStringLiteral("11111");
    QTest::newRow("first toggled alone changes nothing") << steps("open click1 click1 click2 click1") << QStringLiteral("11100");
    QTest::newRow("first checked again, toggle disables") << steps("open click1 click2 click1 click2") << QStringLiteral("11110");
    QTest::newRow("reopening enables") << steps("open click2 close open") << QStringLiteral("1001");
    QTest::newRow("reopening enables whatever is checked") << steps("open click2 click2 close open key2") << QStringLiteral("100010");
    QTest::newRow("closing changes nothing") << steps("open close") << QStringLiteral("11");
}

void TestProjectSettings::viewCodeFollowsFirstCheckBox()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, enabled);
    QCOMPARE(steps.size(), enabled.size());
    kv::test::StartedEnv env;
    Registry &r = registry();
    TForm15 *options = r.Form15;
    TMenuItem *viewCode = r.Form1->N29;
    QVERIFY(viewCode->isEnabled());
    QVERIFY(options->CheckBox1->isChecked() && options->CheckBox2->isChecked());

    bool first = true;
    bool second = true;
    for (int i = 0; i < steps.size(); ++i) {
        const QString &step = steps[i];
        if (step == QStringLiteral("open")) {
            r.Form1->N33->trigger();
            QVERIFY(options->isVisible());
        } else if (step == QStringLiteral("click1")) {
            QTest::mouseClick(options->CheckBox1, Qt::LeftButton);
            first = !first;
        } else if (step == QStringLiteral("click2")) {
            QTest::mouseClick(options->CheckBox2, Qt::LeftButton);
            second = !second;
        } else if (step == QStringLiteral("key2")) {
            QTest::keyClick(options->CheckBox2, Qt::Key_Space);
            second = !second;
        } else if (step == QStringLiteral("close")) {
            QTest::mouseClick(options->Button1, Qt::LeftButton);
            QVERIFY(!options->isVisible());
        } else {
            QFAIL(qPrintable(step));
        }
        const QString where = QStringLiteral("after step %1 (%2)").arg(i + 1).arg(step);
        QVERIFY2(viewCode->isEnabled() == (enabled[i] == u'1'), qPrintable(where));
        // The check marks stay as the user left them, closed or not.
        QVERIFY2(options->CheckBox1->isChecked() == first, qPrintable(where));
        QVERIFY2(options->CheckBox2->isChecked() == second, qPrintable(where));
    }
    QVERIFY(env.services.calls.isEmpty());
}

void TestProjectSettings::disabledViewCodeOpensNothing()
{
    kv::test::StartedEnv env;
    Registry &r = registry();
    r.Form1->N33->trigger();
    QTest::mouseClick(r.Form15->CheckBox2, Qt::LeftButton);
    r.Form1->N29->trigger();
    QVERIFY(env.services.calls.isEmpty());

    r.Form1->N33->trigger();
    r.Form1->N29->trigger();
    const QList<RecordingDesktopServices::Call> opened = {{QStringLiteral("shell"), QStringLiteral("Web.html"), 1}};
    QCOMPARE(env.services.calls, opened);
}

QTEST_MAIN(TestProjectSettings)
#include "tst_projectsettings.moc"
