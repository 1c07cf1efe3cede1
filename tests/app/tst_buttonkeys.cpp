// Enter and Space press the focused button, in every window: each key runs
// the button's click command once, as a mouse click does.
#include "app/registry.h"
#include "platform/controls.h"
#include "platform/tform.h"
#include "support/controlpaths.h"
#include "support/testenv.h"

#include <QTest>

#include <memory>

using namespace kv;
using kv::test::TestEnv;
using kv::test::controlAt;
using kv::test::controlPath;
using kv::test::formNamed;

class TestButtonKeys : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void keyPressesFocusedButton_data();
    void keyPressesFocusedButton();
    void keysDoNothingOnADisabledButton_data();
    void keysDoNothingOnADisabledButton();

private:
    // Replaces the button's click command by a count of its runs.
    void probe(QPushButton *button);

    std::unique_ptr<TestEnv> m_env;
    int m_clicks = 0;
};

void TestButtonKeys::initTestCase()
{
    m_env = std::make_unique<TestEnv>();
}

void TestButtonKeys::cleanupTestCase()
{
    m_env.reset();
}

void TestButtonKeys::probe(QPushButton *button)
{
    auto *command = dynamic_cast<ClickCommand *>(button);
    QVERIFY2(command, qPrintable(button->objectName() + QStringLiteral(" is not one of the program's buttons")));
    command->setOnClick([this] { ++m_clicks; });
    m_clicks = 0;
}

void TestButtonKeys::keyPressesFocusedButton_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    const struct
    {
        const char *name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    } keys[] = {
        {"Enter", Qt::Key_Return, Qt::NoModifier},
        {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier},
        {"Space", Qt::Key_Space, Qt::NoModifier},
    };
    // Every button a user can reach: the hidden ones hold commands that
    // other buttons run.
    for (TForm *form : registry().forms()) {
        for (QPushButton *button : form->client()->findChildren<QPushButton *>()) {
            if (button->isHidden())
                continue;
            const QString path = controlPath(button, form->client());
            for (const auto &key : keys) {
                QTest::addRow("%s/%s %s", qPrintable(form->objectName()), qPrintable(path), key.name)
                    << form->objectName() << path << int(key.key) << key.modifiers;
            }
        }
    }
}

void TestButtonKeys::keyPressesFocusedButton()
{
    QFETCH(QString, form);
    QFETCH(QString, button);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    TForm *window = formNamed(form);
    QVERIFY(window);
    auto *pushButton = qobject_cast<QPushButton *>(controlAt(window->client(), button));
    QVERIFY(pushButton);
    probe(pushButton);
    const bool enabled = pushButton->isEnabled();
    pushButton->setEnabled(true);
    window->showForm();
    pushButton->setFocus();

    QTest::keyClick(pushButton, Qt::Key(key), modifiers);
    QCOMPARE(m_clicks, 1);

    pushButton->setEnabled(enabled);
    window->hide();
}

void TestButtonKeys::keysDoNothingOnADisabledButton_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Space") << int(Qt::Key_Space);
}

void TestButtonKeys::keysDoNothingOnADisabledButton()
{
    QFETCH(int, key);
    QWidget window;
    TButton button(&window, "Button1", {8, 8, 75, 25}, "OK");
    window.show();
    button.setFocus();
    int clicks = 0;
    button.setOnClick([&clicks] { ++clicks; });
    button.setEnabled(false);
    QTest::keyClick(&button, Qt::Key(key));
    QCOMPARE(clicks, 0);
    // Enter with Ctrl or Alt is some other command's key, not a press.
    button.setEnabled(true);
    QTest::keyClick(&button, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClick(&button, Qt::Key_Return, Qt::AltModifier);
    QCOMPARE(clicks, 0);
    QTest::keyClick(&button, Qt::Key(key));
    QCOMPARE(clicks, 1);
}

QTEST_MAIN(TestButtonKeys)
#include "tst_buttonkeys.moc"
