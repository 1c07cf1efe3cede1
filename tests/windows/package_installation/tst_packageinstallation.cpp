// The package installation window against a real HTTP server on 127.0.0.1:
// downloads with their messages and shell-opens, the four text boxes filled
// from "C:\temp", and the clean-up batch file.
#include "app/registry.h"
#include "platform/download.h"
#include "support/downloads.h"
#include "support/httpserver.h"
#include "support/testenv.h"
#include "windows/package_installation/packageinstallationwindow.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <memory>

using namespace kv;
using kv::test::HttpServer;
using kv::test::TestEnv;
using kv::test::readFile;
using kv::test::tempEntries;
using kv::test::tempFolder;
using Files = QMap<QString, QByteArray>;

namespace {

const QString host = QStringLiteral(KVARNIS_UPDATE_HOST);
const char *const textFiles[] = {"RU", "RUa", "RUb", "RUc"};

QString url(const QString &path)
{
    return QStringLiteral("http://") + host + path;
}

QString archiveSuccess()
{
    return QString::fromUtf8("Соединение с сервером <") + host + QString::fromUtf8("> = SUCCESFUL!");
}

QString textSuccess()
{
    return QString::fromUtf8("Информация успешно загружена с сервера <") + host + QStringLiteral(">");
}

QString failure(const QString &path)
{
    return QString::fromUtf8("Нет соединения с сервером <") + host
           + QString::fromUtf8(">, или отсутствует соединение с Internet.  ") + url(path);
}

// The calls a user notices, in order: boxes and shell-opens ("kind: text [mode]").
QStringList seen(const RecordingDesktopServices &services)
{
    QStringList shown;
    for (const RecordingDesktopServices::Call &call : services.calls) {
        if (call.kind == QStringLiteral("shell"))
            shown.append(QStringLiteral("shell: %1 %2").arg(call.text).arg(call.mode));
        else if (call.kind != QStringLiteral("download"))
            shown.append(call.kind + QStringLiteral(": ") + call.text);
    }
    return shown;
}

QString message(const QString &text)
{
    return QStringLiteral("message: ") + text;
}

QString error(const char *text)
{
    return QStringLiteral("error: ") + QString::fromLatin1(text);
}

QString opened(const char *file)
{
    return QStringLiteral("shell: C:\\temp\\%1 1").arg(QLatin1String(file));
}

// Writes each file (server path -> bytes) below the server's root folder.
QString serverRoot(const TestEnv &env, const Files &files)
{
    QDir().mkpath(env.path(QStringLiteral("server")));
    for (auto it = files.begin(); it != files.end(); ++it)
        env.write(QStringLiteral("server") + it.key(), it.value());
    return env.path(QStringLiteral("server"));
}

TForm11 *shownWindow()
{
    TForm11 *form = registry().Form11;
    form->showForm();
    return form;
}

void click(QWidget *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

QList<TMemo *> memos(const TForm11 *form)
{
    return {form->Memo1, form->Memo2, form->Memo3, form->Memo4};
}

QList<QByteArray> memoTexts(const TForm11 *form)
{
    QList<QByteArray> texts;
    for (const TMemo *memo : memos(form))
        texts.append(memo->text());
    return texts;
}


} // namespace

class TestPackageInstallation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void layout();
    void loadOpensTheArchive();
    void loadFailure_data();
    void loadFailure();
    void update_data();
    void update();
    void show_data();
    void show();
    void readAppendsAfterTheText_data();
    void readAppendsAfterTheText();
    void manyLines();
    void deleteStartsBatchFileHidden_data();
    void deleteStartsBatchFileHidden();
    void buttonsWithoutCommand();
};

void TestPackageInstallation::layout()
{
    TestEnv env;
    TForm11 *form = shownWindow();
    QCOMPARE(form->windowTitle(), QStringLiteral("Компоненты: Установка компонента"));
    const QList<std::pair<QPushButton *, const char *>> captions = {
        {form->BitBtn1, "Загрузить"}, {form->BitBtn2, "Распаковать"}, {form->BitBtn3, "Установить"},
        {form->BitBtn4, "Обновить"},  {form->BitBtn5, "Откат"},       {form->BitBtn6, "Удалить"},
        {form->BitBtn7, "Запаковать"}, {form->BitBtn8, "Показать"}};
    for (const auto &[button, caption] : captions) {
        QCOMPARE(button->text(), QString::fromUtf8(caption));
        QVERIFY(button->isVisible());
    }
    const QList<std::pair<TLabel *, const char *>> labels = {{form->Label1, "Версия компонента:"},
                                                            {form->Label2, "Дата упаковки:"},
                                                            {form->Label3, "Содержание пакетов:"},
                                                            {form->Label4, "Описание:"}};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(labels[i].first->caption(), QString::fromUtf8(labels[i].second));
        QCOMPARE(labels[i].first->font().pixelSize(), 16);
        QCOMPARE(memos(form)[i]->accessibleName(), QString::fromUtf8(labels[i].second));
        QCOMPARE(memos(form)[i]->text(), QByteArray());
    }
    for (QPushButton *hidden : {form->Button1, form->Button2, form->Button3, form->Button4, form->Button5,
                                form->Button6, form->Button7, form->Button8})
        QVERIFY(!hidden->isVisible());
}

void TestPackageInstallation::loadOpensTheArchive()
{
    TestEnv env;
    QDir().mkpath(tempFolder(env));
    const QByteArray archive("PK\x03\x04 archive bytes \x00\xFF", 20);
    HttpServer server(serverRoot(env, {{QStringLiteral("/hdd/DB/codes.zip"), archive}}), QStringLiteral("serve"));
    QVERIFY(server.isRunning());
    server.routeHost(host);
    TForm11 *form = shownWindow();
    // While the message is open, the archive is stored and not yet opened.
    env.services.whileModal = [&](const RecordingDesktopServices::Call &) {
        QCOMPARE(readFile(tempFolder(env) + QStringLiteral("/codes.ZIP")), archive);
        QVERIFY(env.services.callsOf(QStringLiteral("shell")).isEmpty());
    };
    click(form->BitBtn1);
    QCOMPARE(seen(env.services), (QStringList{message(archiveSuccess()), opened("codes.ZIP")}));
    QCOMPARE(env.services.textsOf(QStringLiteral("download")), QStringList{url(QStringLiteral("/hdd/DB/codes.zip"))});
}

void TestPackageInstallation::loadFailure_data()
{
    QTest::addColumn<QString>("mode"); // empty: nothing listens on the port
    QTest::addColumn<bool>("tempExists");
    QTest::newRow("404") << QStringLiteral("404") << true;
    QTest::newRow("500") << QStringLiteral("500") << true;
    QTest::newRow("truncated body") << QStringLiteral("truncate") << true;
    QTest::newRow("stalled server") << QStringLiteral("stall") << true;
    // A byte every 1.5 s: never a long enough pause for a stall, but far below the floor.
    QTest::newRow("trickling server") << QStringLiteral("trickle:1.5") << true;
    QTest::newRow("dead port") << QString() << true;
    QTest::newRow("no C:\\temp") << QStringLiteral("serve") << false;
}

void TestPackageInstallation::loadFailure()
{
    QFETCH(QString, mode);
    QFETCH(bool, tempExists);
    TestEnv env;
    kv::test::ShortStall stall;
    if (tempExists)
        env.write(QStringLiteral("drive_c/temp/codes.ZIP"), "earlier archive");
    const QString root = serverRoot(env, {{QStringLiteral("/hdd/DB/codes.zip"), QByteArray(4096, 'z')}});
    std::unique_ptr<HttpServer> server;
    if (mode.isEmpty()) {
        kv::test::routeHost(host, kv::test::deadPort());
    } else {
        server = std::make_unique<HttpServer>(root, mode);
        QVERIFY(server->isRunning());
        server->routeHost(host);
    }
    TForm11 *form = shownWindow();
    click(form->BitBtn1);
    QCOMPARE(seen(env.services), QStringList{message(failure(QStringLiteral("/hdd/DB/codes.zip")))});
    if (tempExists) {
        QCOMPARE(readFile(tempFolder(env) + QStringLiteral("/codes.ZIP")), QByteArray("earlier archive"));
        QCOMPARE(tempEntries(env), QStringList{QStringLiteral("codes.ZIP")});
    } else {
        // The program never creates C:\temp.
        QVERIFY(!QFileInfo::exists(tempFolder(env)));
    }
    downloadSettings().connectTo.clear();
}

void TestPackageInstallation::update_data()
{
    QTest::addColumn<QStringList>("served"); // the text files the server has
    QTest::newRow("all four") << QStringList{QStringLiteral("RU"), QStringLiteral("RUa"), QStringLiteral("RUb"),
                                             QStringLiteral("RUc")};
    QTest::newRow("none") << QStringList();
    // A failed download does not stop the later ones.
    QTest::newRow("first and third") << QStringList{QStringLiteral("RU"), QStringLiteral("RUb")};
}

void TestPackageInstallation::update()
{
    QFETCH(QStringList, served);
    TestEnv env;
    QDir().mkpath(tempFolder(env));
    Files files;
    for (const QString &name : served)
        files.insert(QStringLiteral("/hdd/text/%1.txt").arg(name), name.toLatin1() + " text\r\n");
    HttpServer server(serverRoot(env, files), QStringLiteral("serve"));
    QVERIFY(server.isRunning());
    server.routeHost(host);
    TForm11 *form = shownWindow();
    click(form->BitBtn4);

    QStringList expected;
    for (const char *name : textFiles) {
        const QString path = QStringLiteral("/hdd/text/%1.txt").arg(QLatin1String(name));
        if (served.contains(QLatin1String(name))) {
            expected << message(textSuccess()) << opened((QByteArray(name) + ".txt").constData());
            QCOMPARE(readFile(tempFolder(env) + QStringLiteral("/%1.txt").arg(QLatin1String(name))),
                     QByteArray(name) + " text\r\n");
        } else {
            expected << message(failure(path));
        }
    }
    QCOMPARE(seen(env.services), expected);
}

void TestPackageInstallation::show_data()
{
    QTest::addColumn<bool>("tempExists");
    QTest::addColumn<Files>("files"); // in C:\temp
    QTest::addColumn<int>("presses");
    QTest::addColumn<QList<QByteArray>>("texts"); // of Memo1 ... Memo4 afterwards
    QTest::addColumn<QStringList>("errors");
    const QByteArray typed("typed\r\n");
    const Files four{{QStringLiteral("RU.txt"), "ru 1\nru 2\n"},
                     {QStringLiteral("RUa.txt"), "a 1\r\na 2\r\n"},
                     {QStringLiteral("RUb.txt"), "b 1"},
                     {QStringLiteral("RUc.txt"), "c 1\n\nc 3\n"}};
    QTest::newRow("empty C:\\temp") << true << Files() << 1 << QList<QByteArray>{typed, {}, {}, {}}
                                    << QStringList{error("File not found.")};
    QTest::newRow("no C:\\temp") << false << Files() << 1 << QList<QByteArray>{typed, {}, {}, {}}
                                 << QStringList{error("Invalid filename.")};
    QTest::newRow("all four") << true << four << 1
                              << QList<QByteArray>{typed + "ru 1\r\nru 2\r\n", "a 1\r\na 2\r\n", "b 1\r\n",
                                                   "c 1\r\n\r\nc 3\r\n"}
                              << QStringList();
    QTest::newRow("pressed twice") << true << four << 2
                                   << QList<QByteArray>{typed + "ru 1\r\nru 2\r\nru 1\r\nru 2\r\n",
                                                        "a 1\r\na 2\r\na 1\r\na 2\r\n", "b 1\r\nb 1\r\n",
                                                        "c 1\r\n\r\nc 3\r\nc 1\r\n\r\nc 3\r\n"}
                                   << QStringList();
    // An error ends the whole command: the boxes after the failing one stay.
    Files withoutThird = four;
    withoutThird.remove(QStringLiteral("RUb.txt"));
    QTest::newRow("third missing") << true << withoutThird << 1
                                   << QList<QByteArray>{typed + "ru 1\r\nru 2\r\n", "a 1\r\na 2\r\n", {}, {}}
                                   << QStringList{error("File not found.")};
}

void TestPackageInstallation::show()
{
    QFETCH(bool, tempExists);
    QFETCH(Files, files);
    QFETCH(int, presses);
    QFETCH(QList<QByteArray>, texts);
    QFETCH(QStringList, errors);
    TestEnv env;
    if (tempExists)
        QDir().mkpath(tempFolder(env));
    for (auto it = files.begin(); it != files.end(); ++it)
        env.write(QStringLiteral("drive_c/temp/") + it.key(), it.value());
    TForm11 *form = shownWindow();
    form->Memo1->setText("typed\r\n");
    for (int i = 0; i < presses; ++i)
        click(form->BitBtn8);
    QCOMPARE(memoTexts(form), texts);
    QCOMPARE(seen(env.services), errors);
    QVERIFY(tempExists || !QFileInfo::exists(tempFolder(env)));
}

void TestPackageInstallation::readAppendsAfterTheText_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("empty box") << QByteArray() << QByteArray("a\nb\n") << QByteArray("a\r\nb\r\n");
    QTest::newRow("text without a final break") << QByteArray("typed") << QByteArray("a\nb\n")
                                                << QByteArray("typed\r\na\r\nb");
    QTest::newRow("empty file adds nothing") << QByteArray("typed") << QByteArray() << QByteArray("typed");
    QTest::newRow("lf and crlf give the same lines") << QByteArray() << QByteArray("a\r\nb\nc")
                                                     << QByteArray("a\r\nb\r\nc\r\n");
    QTest::newRow("lone cr dropped") << QByteArray() << QByteArray("a\rb\n") << QByteArray("ab\r\n");
    QTest::newRow("eof mark") << QByteArray() << QByteArray("a\x1a" "b\nc\n\x1a" "d\n") << QByteArray("a\r\nc\r\n");
    // A text box ends at a zero byte; the next line still gets a line of its own.
    QTest::newRow("zero byte in a line") << QByteArray() << QByteArray("a\0b\nc\nd\n", 9)
                                         << QByteArray("a\r\nc\r\nd\r\n");
}

void TestPackageInstallation::readAppendsAfterTheText()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, after);
    TestEnv env;
    env.write(QStringLiteral("drive_c/temp/RU.txt"), file);
    TForm11 *form = shownWindow();
    form->Memo1->setText(before);
    form->Button2->click();
    QCOMPARE(form->Memo1->text(), after);
}

void TestPackageInstallation::manyLines()
{
    TestEnv env;
    QByteArray file;
    QByteArray expected;
    for (int i = 0; i < 100000; ++i) {
        const QByteArray line = "line " + QByteArray::number(i);
        file += line + '\n';
        expected += line + "\r\n";
    }
    env.write(QStringLiteral("drive_c/temp/RUc.txt"), file);
    TForm11 *form = shownWindow();
    form->Button8->click();
    QCOMPARE(form->Memo4->text(), expected);
}

void TestPackageInstallation::deleteStartsBatchFileHidden_data()
{
    QTest::addColumn<bool>("present");
    QTest::newRow("present") << true;
    QTest::newRow("missing") << false;
}

void TestPackageInstallation::deleteStartsBatchFileHidden()
{
    QFETCH(bool, present);
    TestEnv env;
    if (present)
        env.write(QStringLiteral("bin/delcodes.bat"), "del C:\\temp\\codes.ZIP\r\n");
    TForm11 *form = shownWindow();
    click(form->BitBtn6);
    QCOMPARE(seen(env.services), QStringList{QStringLiteral("shell: bin\\delcodes.bat 0")});
}

void TestPackageInstallation::buttonsWithoutCommand()
{
    TestEnv env;
    env.write(QStringLiteral("drive_c/temp/RU.txt"), "ru\n");
    TForm11 *form = shownWindow();
    form->Memo3->setText("typed");
    for (QPushButton *button : {form->BitBtn2, form->BitBtn3, form->BitBtn5, form->BitBtn7})
        click(button);
    QVERIFY(env.services.calls.isEmpty());
    QCOMPARE(memoTexts(form), (QList<QByteArray>{{}, {}, "typed", {}}));
    QCOMPARE(tempEntries(env), QStringList{QStringLiteral("RU.txt")});
}

QTEST_MAIN(TestPackageInstallation)
#include "tst_packageinstallation.moc"
