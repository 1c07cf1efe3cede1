// What the program sets up on the desktop at start-up: Qt's own texts are
// Russian (the text boxes' context menu, the file dialog), whatever the
// user's locale, and the face the windows ask for is a real installed one.
#include "platform/desktopsetup.h"
#include "platform/tmemo.h"
#include "support/testenv.h"

#include <QFileDialog>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QTest>

#include <memory>

using namespace kv;
using kv::test::TestEnv;

class TestDesktopSetup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void textBoxMenuIsRussian_data();
    void textBoxMenuIsRussian();
    void fileDialogIsRussian();
    void designedFaceIsAStandIn();
};

void TestDesktopSetup::initTestCase()
{
    // The tests run with LC_ALL=C.UTF-8: the translation does not depend on the locale.
    QVERIFY2(loadQtTranslation(), "qtbase_ru.qm (Debian qt6-translations-l10n) is not installed");
}

void TestDesktopSetup::textBoxMenuIsRussian_data()
{
    QTest::addColumn<QString>("russian");
    QTest::addColumn<QString>("english");
    QTest::newRow("copy") << QStringLiteral("Копировать") << QStringLiteral("Copy");
    QTest::newRow("paste") << QStringLiteral("Вставить") << QStringLiteral("Paste");
    QTest::newRow("cut") << QStringLiteral("Вырезать") << QStringLiteral("Cut");
    QTest::newRow("undo") << QStringLiteral("Отменить действие") << QStringLiteral("Undo");
}

void TestDesktopSetup::textBoxMenuIsRussian()
{
    QFETCH(QString, russian);
    QFETCH(QString, english);
    TestEnv env(false);
    QWidget window;
    TMemo memo(&window, "Memo1", {8, 8, 200, 100}, {"<html>"});
    std::unique_ptr<QMenu> menu(memo.createStandardContextMenu());
    QStringList texts;
    for (const QAction *action : menu->actions()) {
        if (!action->isSeparator())
            texts.append(action->text().remove(u'&').section(u'\t', 0, 0));
    }
    QVERIFY2(texts.contains(russian), qPrintable(texts.join(QStringLiteral(", "))));
    QVERIFY(!texts.contains(english));
}

void TestDesktopSetup::fileDialogIsRussian()
{
    TestEnv env(false);
    QFileDialog dialog(nullptr, QString(), env.folder());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const auto *lookIn = dialog.findChild<QLabel *>(QStringLiteral("lookInLabel"));
    QVERIFY(lookIn);
    QCOMPARE(lookIn->text(), QStringLiteral("Перейти к:"));
}

void TestDesktopSetup::designedFaceIsAStandIn()
{
    TestEnv env(false);
    QFont font(designedFace());
    font.setPixelSize(11);
    QStringList accepted = designedFaceStandIns();
    accepted.prepend(designedFace());
    QVERIFY2(accepted.contains(QFontInfo(font).family()), qPrintable(QFontInfo(font).family()));
}

QTEST_MAIN(TestDesktopSetup)
#include "tst_desktopsetup.moc"
