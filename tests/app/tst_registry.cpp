// Start-up, the window registry, the end of the program, and how errors reach the user.
#include "app/registry.h"
#include "platform/controls.h"
#include "platform/dispatch.h"
#include "platform/realdesktopservices.h"
#include "support/testenv.h"
#include "text/errors.h"
#include "windows/main/mainwindow.h"
#include "windows/page_composer/pagecomposer.h"
#include "windows/tips/tipswindow.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>

using namespace kv;
using kv::test::TestEnv;

class TestRegistry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void windowsInCreationOrder();
    void startupTimerShowsTipsOnce();
    void showAndCloseKeepState();
    void centredOnlyTheFirstTime();
    void closingMainWindowEndsProgram();
    void errorsEndTheCommandAndAreShown();
    void boxesCarryTheApplicationTitle_data();
    void boxesCarryTheApplicationTitle();
};

void TestRegistry::windowsInCreationOrder()
{
    TestEnv env;
    QStringList created;
    for (TForm *form : registry().forms()) {
        created.append(form->objectName() + u' ' + form->windowTitle());
        QVERIFY2(!form->isVisible(), qPrintable(form->objectName()));
    }
    QCOMPARE(created, (QStringList{
                          QStringLiteral("Form1 Кварнис"),
                          QStringLiteral("Form14 Советы"),
                          QStringLiteral("Form2 Создание нового проекта"),
                          QStringLiteral("Form3 Создание нового пакета"),
                          QStringLiteral("Form4 Параметры проекта"),
                          QStringLiteral("Form5 Проект: Изменение шаблона"),
                          QStringLiteral("Form6 Проект:Замена шаблона"),
                          QStringLiteral("Form7 Компоненты: Новый компонент, создание нового компонента"),
                          QStringLiteral("Form8 Компоненты: Установка компонента"),
                          QStringLiteral("Form9 Компоненты: Создание нового компонента"),
                          QStringLiteral("Form10 Компоненты: Конфигурация пакетов"),
                          QStringLiteral("Form11 Компоненты: Установка компонента"),
                          QStringLiteral("Form15 Опции проекта"),
                          QStringLiteral("Form16 Управление пакетами, шаблонами, тэгами"),
                          QStringLiteral("Form17 О программе..."),
                      }));
    QCOMPARE(registry().mainForm(), registry().Form1);
    // Only the main window's close box ends the program.
    for (TForm *form : registry().forms())
        QCOMPARE(form->isMainForm(), form == registry().Form1);
}

void TestRegistry::startupTimerShowsTipsOnce()
{
    TestEnv env;
    TForm1 &main = *registry().Form1;
    main.showForm();
    QVERIFY(main.Timer1->isActive());
    QCOMPARE(main.Timer1->interval(), 1000);
    QVERIFY(!registry().Form14->isVisible());

    QTRY_VERIFY_WITH_TIMEOUT(registry().Form14->isVisible(), 5000);
    QCOMPARE(env.services.calls, (QList<RecordingDesktopServices::Call>{{QStringLiteral("sleep"), QString(), 10}}));
    QCOMPARE(main.ProgressBar1->value(), 100);
    QVERIFY(main.ProgressBar1->isHidden());
    QVERIFY(!main.Timer1->isActive());

    registry().Form14->closeForm();
    QTest::qWait(1500);
    QVERIFY(!registry().Form14->isVisible());
}

void TestRegistry::showAndCloseKeepState()
{
    TestEnv env;
    TForm14 &tips = *registry().Form14;
    tips.showForm();
    const QList<QWidget *> children = tips.client()->findChildren<QWidget *>();
    QList<bool> visible;
    for (QWidget *child : children)
        visible.append(child->isVisible());
    auto *memo = tips.client()->findChild<TMemo *>();
    if (memo)
        memo->setText("typed");
    tips.closeForm();
    QVERIFY(!tips.isVisible());
    QVERIFY(registry().Form1->Memo1); // the program goes on
    tips.showForm();
    tips.showForm(); // shown already: only brought to the front
    QVERIFY(tips.isVisible());
    for (int i = 0; i < children.size(); ++i)
        QCOMPARE(children[i]->isVisible(), visible[i]);
    if (memo)
        QCOMPARE(memo->text(), QByteArray("typed"));
}

void TestRegistry::centredOnlyTheFirstTime()
{
    TestEnv env;
    TForm1 &main = *registry().Form1;
    main.showForm();
    TForm &composer = *registry().Form9;
    composer.showForm();
    QVERIFY((composer.frameGeometry().center() - main.frameGeometry().center()).manhattanLength() <= 2);
    composer.move(composer.pos() + QPoint(37, 23));
    const QPoint moved = composer.pos();
    composer.closeForm();
    composer.showForm();
    QCOMPARE(composer.pos(), moved);
}

void TestRegistry::closingMainWindowEndsProgram()
{
    TestEnv env;
    registry().Form1->showForm();
    registry().Form9->showForm();
    registry().Form1->Memo1->setText("unsaved");
    QTimer::singleShot(0, registry().Form1, [] { registry().Form1->close(); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(env.services.calls.isEmpty()); // nothing asked
}

void TestRegistry::errorsEndTheCommandAndAreShown()
{
    TestEnv env;
    // A step that fails ends its command and every command that ran it; the
    // steps before stay done, the error box shows it once, the program goes on.
    QStringList steps;
    TButton inner(nullptr, "Inner", {}, "inner");
    inner.setOnClick([&] {
        steps.append(QStringLiteral("inner"));
        throw Error(QStringLiteral("Disk full"));
    });
    TMenuItem outer(nullptr, "Outer", QStringLiteral("outer"));
    outer.setOnClick([&] {
        steps.append(QStringLiteral("before"));
        inner.click();
        steps.append(QStringLiteral("after"));
    });
    outer.trigger();
    QCOMPARE(steps, (QStringList{QStringLiteral("before"), QStringLiteral("inner")}));
    QCOMPARE(env.services.textsOf(QStringLiteral("error")), QStringList{QStringLiteral("Disk full.")});

    // A disabled menu item runs nothing, also when another command clicks it.
    outer.setEnabled(false);
    outer.trigger();
    outer.click();
    QCOMPARE(steps.size(), 2);

    // Anything thrown is caught at the dispatcher.
    runCommand([] { throw 42; });
    runCommand([] { throw std::runtime_error("boom"); });
    QCOMPARE(env.services.textsOf(QStringLiteral("error")).mid(1),
             (QStringList{QStringLiteral("Unknown error."), QStringLiteral("boom.")}));
}

void TestRegistry::boxesCarryTheApplicationTitle_data()
{
    QTest::addColumn<bool>("error");
    QTest::newRow("message box") << false;
    QTest::newRow("error box") << true;
}

void TestRegistry::boxesCarryTheApplicationTitle()
{
    QFETCH(bool, error);
    TestEnv env;
    registry().Form1->setCaption("project");
    // A window of the program is the active one: the box still belongs to none.
    registry().Form9->showForm();
    QApplication::setActiveWindow(registry().Form9);
    RealDesktopServices real;
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::Question;
    int buttons = 0;
    const QWidget *owner = registry().Form9;
    Qt::WindowModality modality = Qt::NonModal;
    QPoint offCentre(-1, -1);
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = int(box->buttons().size());
        owner = box->parentWidget();
        modality = box->windowModality();
        offCentre = box->frameGeometry().center() - QGuiApplication::primaryScreen()->geometry().center();
        QTest::keyClick(box, Qt::Key_Escape); // Esc answers "OK"
    });
    if (error)
        real.errorBox(QStringLiteral("Stream write error."));
    else
        real.messageBox(QStringLiteral("Новый проект создан успешно!"));
    QCOMPARE(title, QStringLiteral("Кварнис"));
    QCOMPARE(icon, error ? QMessageBox::Critical : QMessageBox::NoIcon);
    QCOMPARE(buttons, 1);
    QCOMPARE(owner, nullptr);
    QCOMPARE(modality, Qt::ApplicationModal);
    QVERIFY2(offCentre.manhattanLength() <= 2, "the box is centred on the screen");
    QCOMPARE(text, error ? QStringLiteral("Stream write error.") : QStringLiteral("Новый проект создан успешно!"));
}

QTEST_MAIN(TestRegistry)
#include "tst_registry.moc"
