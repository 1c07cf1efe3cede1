// The frames are panels of named controls with no behaviour of their own:
// each instance owns its children, and a button does only what the
// embedding window binds to it.
#include "support/testenv.h"
#include "windows/frames/codeframe.h"
#include "windows/frames/colourframe.h"

#include <QTest>

using namespace kv;
using kv::test::TestEnv;

class TestFrames : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void colourFrameButtons_data();
    void colourFrameButtons();
    void instancesOwnTheirNames();
    void codeFrameBox();
};

void TestFrames::colourFrameButtons_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QPoint>("place");
    const std::tuple<const char *, const char *, QPoint> rows[] = {
        {"Button1", "Чёрный", {16, 32}},   {"Button2", "Серый", {16, 64}},   {"Button3", "Белый", {16, 96}},
        {"Button4", "Красный", {16, 128}}, {"Button5", "Зелёный", {104, 32}}, {"Button6", "Жёлтый", {104, 64}},
        {"Button7", "Синий", {104, 96}},   {"Button8", "Бирюзовый", {104, 128}},
        {"Button9", "Применить", {192, 128}},
    };
    for (const auto &[name, caption, place] : rows)
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(caption) << place;
}

void TestFrames::colourFrameButtons()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QPoint, place);
    TestEnv env(false);
    QWidget window;
    TFrame12 frame(&window, "Frame121", {8, 8, 294, 182});
    QCOMPARE(frame.GroupBox1->title(), QStringLiteral("Основной шифт"));
    auto *button = frame.GroupBox1->findChild<TButton *>(name);
    QVERIFY(button);
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->geometry(), QRect(place, QSize(75, 25)));
    QVERIFY(button->isEnabled());

    // Unbound, a click does nothing at all.
    window.show();
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(env.services.calls.isEmpty());
}

void TestFrames::instancesOwnTheirNames()
{
    TestEnv env(false);
    QWidget window;
    TFrame12 first(&window, "Frame121", {8, 8, 294, 182});
    TFrame12 second(&window, "Frame122", {8, 200, 294, 182});
    QCOMPARE(first.findChild<QWidget *>(QStringLiteral("Button4")), first.Button4);
    QCOMPARE(second.findChild<QWidget *>(QStringLiteral("Button4")), second.Button4);
    QVERIFY(first.Button4 != second.Button4);
    first.Button4->setEnabled(false);
    QVERIFY(second.Button4->isEnabled());
    QCOMPARE(second.geometry(), QRect(8, 200, 294, 182));
}

void TestFrames::codeFrameBox()
{
    TestEnv env(false);
    QWidget window;
    TFrame13 frame(&window, "Frame131", {360, 3, 320, 403});
    QCOMPARE(frame.GroupBox1->title(), QStringLiteral("Код"));
    QCOMPARE(frame.Memo1->objectName(), QStringLiteral("Memo1"));
    QCOMPARE(frame.Memo1->geometry(), QRect(8, 24, 289, 353));
    QVERIFY(frame.Memo1->text().isEmpty());
    QVERIFY(!frame.Memo1->isReadOnly());
    QCOMPARE(frame.Memo1->accessibleName(), QStringLiteral("Код"));
}

QTEST_MAIN(TestFrames)
#include "tst_frames.moc"
