// The About window: its fixed texts, closing with "Закрыть", and the
// system-information tool.
#include "app/registry.h"
#include "support/testenv.h"
#include "text/codepage.h"
#include "windows/about/aboutwindow.h"
#include "windows/main/mainwindow.h"

#include <QScrollBar>
#include <QTest>

using namespace kv;
using kv::test::TestEnv;

class TestAbout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void labels_data();
    void labels();
    void aboutText();
    void closeHidesAndMenuShowsSameText();
    void systemInformationTool();
};

void TestAbout::labels_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("caption");
    QTest::newRow("version") << QStringLiteral("Label1") << QStringLiteral("Версия программы:   1.1.1.1.");
    QTest::newRow("interface") << QStringLiteral("Label2") << QStringLiteral("Язык интерфейса:      Русский");
    QTest::newRow("archiver") << QStringLiteral("Label3") << QStringLiteral("Язык архиватора:       Русский");
}

void TestAbout::labels()
{
    QFETCH(QString, label);
    QFETCH(QString, caption);
    TestEnv env;
    auto *control = registry().Form17->findChild<TLabel *>(label);
    QVERIFY(control);
    QCOMPARE(control->caption(), caption);
    QCOMPARE(control->text(), caption);
}

void TestAbout::aboutText()
{
    TestEnv env;
    const TForm17 *form = registry().Form17;
    const QByteArray text = form->Memo1->text();
    QVERIFY(text.endsWith("\r\n"));
    const QList<QByteArray> lines = text.chopped(2).split('\n');
    QCOMPARE(lines.size(), 10);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const bool last = i == lines.size() - 1;
        const QByteArray line = last ? lines[i] : lines[i].chopped(1); // without its CR
        QVERIFY2(last || lines[i].endsWith('\r'), line.constData());
        QVERIFY2(line.size() >= 40 && line.size() <= 54, qPrintable(fromCp1251(line)));
        QCOMPARE(line.endsWith(' '), !last);
    }
    const QString prose = fromCp1251(text);
    for (const char *needed : {"Кварнис", "1.1.1.1", "сентябре 2015", "Автор", "справк", "HTML", "поддержк"})
        QVERIFY2(prose.contains(QString::fromUtf8(needed)), needed);
    QCOMPARE(form->Memo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QVERIFY(!form->Memo1->isReadOnly());
}

void TestAbout::closeHidesAndMenuShowsSameText()
{
    TestEnv env;
    TForm17 *form = registry().Form17;
    // The title bar carries no buttons.
    QVERIFY(!(form->windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(!(form->windowFlags() & Qt::WindowSystemMenuHint));
    registry().Form1->N50->trigger();
    QVERIFY(form->isVisible());
    form->Memo1->setText("edited");
    QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
    QVERIFY(!form->isVisible());
    registry().Form1->N50->trigger();
    QVERIFY(form->isVisible());
    QCOMPARE(form->Memo1->text(), QByteArray("edited"));
    QVERIFY(env.services.calls.isEmpty());
}

void TestAbout::systemInformationTool()
{
    TestEnv env;
    TForm17 *form = registry().Form17;
    form->showForm();
    const QByteArray before = form->Memo1->text();
    QCOMPARE(form->BitBtn2->text(), QStringLiteral("Информация о системе..."));
    // Missing beside the program here: nothing of the program's own shows.
    QTest::mouseClick(form->BitBtn2, Qt::LeftButton);
    QTest::mouseClick(form->BitBtn2, Qt::LeftButton);
    const RecordingDesktopServices::Call started{QStringLiteral("shell"), QStringLiteral("Tavrel.exe"), 5};
    QCOMPARE(env.services.calls, (QList<RecordingDesktopServices::Call>{started, started}));
    QVERIFY(form->isVisible());
    QCOMPARE(form->Memo1->text(), before);
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
