// A long random session over every window: clicks, menu commands, typing
// and closing windows, with every box answered at once. The program must
// not crash, must leave no half-written or temporary file, and must still
// do its work at the end.
#include "app/registry.h"
#include "platform/download.h"
#include "support/httpserver.h"
#include "support/testenv.h"
#include "windows/main/mainwindow.h"

#include <QAbstractButton>
#include <QDir>
#include <QDirIterator>
#include <QMenu>
#include <QRandomGenerator>
#include <QTest>

using namespace kv;
using kv::test::TestEnv;

class TestRandomSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void thousandsOfRandomSteps();
};

namespace {

QStringList leftoverTemporaryFiles(const QString &folder)
{
    QStringList found;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString name = QFileInfo(it.next()).fileName();
        if (name.startsWith(u'.') || name.endsWith(QStringLiteral(".part")))
            found.append(name);
    }
    return found;
}

} // namespace

void TestRandomSession::thousandsOfRandomSteps()
{
    TestEnv env;
    // Downloads go to a port where nothing listens, so they fail at once.
    downloadSettings().connectTo = {QStringLiteral(KVARNIS_UPDATE_HOST ":80:127.0.0.1:%1").arg(kv::test::deadPort())};
    QDir().mkpath(QStringLiteral("update"));
    QDir().mkpath(QStringLiteral("help/info"));
    QDir().mkpath(env.driveRoot() + QStringLiteral("/temp"));
    for (int n = 1; n <= 10; ++n)
        env.write(QStringLiteral("update/Code%1.txt").arg(n), "<p>fragment</p>\r\n");
    env.write(QStringLiteral("help/info/help001.txt"), "tip\r\n");

    const quint32 seed = qEnvironmentVariableIsSet("KVARNIS_RANDOM_SEED")
                             ? quint32(qEnvironmentVariableIntValue("KVARNIS_RANDOM_SEED"))
                             : 20261211u;
    QRandomGenerator random(seed);
    const std::vector<TForm *> &forms = registry().forms();
    TForm1 &main = *registry().Form1;
    QList<QAction *> menuItems;
    for (QAction *a : main.findChildren<QAction *>())
        if (!a->isSeparator() && !a->menu() && a->objectName() != QStringLiteral("N18"))
            menuItems.append(a);

    const int steps = 3000;
    for (int step = 0; step < steps; ++step) {
        TForm *form = forms[random.bounded(int(forms.size()))];
        form->showForm();
        const int what = random.bounded(10);
        if (what < 5) {
            QList<QAbstractButton *> buttons;
            for (QAbstractButton *b : form->findChildren<QAbstractButton *>())
                if (b->isVisible() && b->isEnabled())
                    buttons.append(b);
            if (!buttons.isEmpty())
                QTest::mouseClick(buttons[random.bounded(int(buttons.size()))], Qt::LeftButton);
        } else if (what < 7) {
            menuItems[random.bounded(int(menuItems.size()))]->trigger();
        } else if (what < 9) {
            const QList<QPlainTextEdit *> boxes = form->findChildren<QPlainTextEdit *>();
            QList<QPlainTextEdit *> editable;
            for (QPlainTextEdit *b : boxes)
                if (b->isVisible() && !b->isReadOnly())
                    editable.append(b);
            if (!editable.isEmpty()) {
                QPlainTextEdit *box = editable[random.bounded(int(editable.size()))];
                QString text;
                for (int i = random.bounded(12); i > 0; --i)
                    text.append(QChar(u' ' + char16_t(random.bounded(95))));
                QTest::keyClicks(box, text);
                if (random.bounded(3) == 0)
                    QTest::keyClick(box, Qt::Key_Return);
                if (random.bounded(5) == 0)
                    QTest::keyClick(box, Qt::Key_Backspace);
            }
        } else if (form != &main) {
            form->closeForm();
        }
        if (step % 50 == 0)
            QCoreApplication::processEvents();
        QVERIFY2(leftoverTemporaryFiles(env.folder()).isEmpty(), qPrintable(leftoverTemporaryFiles(env.folder()).join(u' ')));
    }

    // Still responding: the page editor compiles into complete files.
    main.showForm();
    main.Memo1->setText("<html>end</html>\r\n");
    main.N31->trigger();
    QCOMPARE(env.read(QStringLiteral("Web.html")), QByteArray("<html>end</html>\r\n"));
    QCOMPARE(env.read(QStringLiteral("SaveCode.txt")), QByteArray("<html>end</html>\r\n"));
    QVERIFY(leftoverTemporaryFiles(env.driveRoot()).isEmpty());
}

QTEST_MAIN(TestRandomSession)
#include "tst_randomsession.moc"
