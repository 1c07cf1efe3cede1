// The package management window starts the three package batch files.
#include "app/registry.h"
#include "support/testenv.h"
#include "windows/package_management/packagemanagementwindow.h"

#include <QTest>

using namespace kv;
using kv::test::TestEnv;

class TestPackageManagement : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void buttonStartsItsBatchFile_data();
    void buttonStartsItsBatchFile();
};

void TestPackageManagement::buttonStartsItsBatchFile_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("batchFile");
    QTest::addColumn<bool>("present");
    QTest::newRow("create") << QStringLiteral("BitBtn1") << QStringLiteral("Создать копию пакетов")
                            << QStringLiteral("update\\create.bat") << true;
    QTest::newRow("extract") << QStringLiteral("BitBtn2") << QStringLiteral("Извлечь копию пакетов")
                             << QStringLiteral("update\\extract.bat") << false;
    QTest::newRow("recovery") << QStringLiteral("BitBtn3")
                              << QStringLiteral("Резервное восстановление по умолчанию")
                              << QStringLiteral("update\\recovery.bat") << false;
}

void TestPackageManagement::buttonStartsItsBatchFile()
{
    QFETCH(QString, button);
    QFETCH(QString, caption);
    QFETCH(QString, batchFile);
    QFETCH(bool, present);
    TestEnv env;
    if (present)
        env.write(QString(batchFile).replace(u'\\', u'/'), "@echo off\r\n");
    TForm16 *form = registry().Form16;
    form->showForm();
    auto *control = form->findChild<QPushButton *>(button);
    QVERIFY(control);
    QCOMPARE(control->text(), caption);

    // Two quick clicks start it twice; nothing else happens, the window stays.
    QTest::mouseClick(control, Qt::LeftButton);
    QTest::mouseClick(control, Qt::LeftButton);
    const RecordingDesktopServices::Call started{QStringLiteral("shell"), batchFile, 5};
    QCOMPARE(env.services.calls, (QList<RecordingDesktopServices::Call>{started, started}));
    QVERIFY(form->isVisible());
}

QTEST_MAIN(TestPackageManagement)
#include "tst_packagemanagement.moc"
