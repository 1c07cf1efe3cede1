// Installation: "cmake --install" into a fresh prefix puts the program, its
// launcher, the desktop entry, the icons, the AppStream data and the supplied
// files in place, and the launcher started from there prepares a per-user
// working folder and starts the program in it.
#include "supplied.h"

#include <QImage>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace kv::test::supplied;

namespace {

// Where the program was started and in which folder it runs, read from
// /proc while it runs.
struct Running
{
    QString program;
    QString folder;
};

Running running(qint64 pid)
{
    const QString proc = QStringLiteral("/proc/%1/").arg(pid);
    return {QFileInfo(proc + QStringLiteral("exe")).symLinkTarget(), QFileInfo(proc + QStringLiteral("cwd")).symLinkTarget()};
}

} // namespace

class TestInstallation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void installsTheProgramAndItsDesktopFiles_data();
    void installsTheProgramAndItsDesktopFiles();
    void installsTheSuppliedFiles();
    void desktopEntryIsValid();
    void metainfoIsValid();
    void launcherPreparesTheWorkingFolder_data();
    void launcherPreparesTheWorkingFolder();
    void launcherNeverOverwritesTheUsersFiles();

private:
    QString installed(const QString &variable, const QString &rest) const;
    // Starts the installed launcher and waits until it has become the
    // program; returns the working folder the program runs in.
    QString launch(const QProcessEnvironment &environment);

    QTemporaryDir m_dir;
    QString m_prefix;
};

QString TestInstallation::installed(const QString &variable, const QString &rest) const
{
    // GNUInstallDirs' relative folders, as the build was configured (an
    // empty data folder stands for the data root).
    QString folder = cacheValue(variable);
    if (folder.isEmpty() && variable == QStringLiteral("CMAKE_INSTALL_DATADIR"))
        folder = cacheValue(QStringLiteral("CMAKE_INSTALL_DATAROOTDIR"));
    return QDir::cleanPath((QDir::isAbsolutePath(folder) ? folder : m_prefix + u'/' + folder) + u'/' + rest);
}

void TestInstallation::initTestCase()
{
#ifndef Q_OS_LINUX
    QSKIP("the installed desktop layout and the launcher are Linux's");
#endif
    QVERIFY(m_dir.isValid());
    m_prefix = m_dir.path() + QStringLiteral("/prefix");
    QProcess install;
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.start(cacheValue(QStringLiteral("CMAKE_COMMAND")),
                  {QStringLiteral("--install"), buildDir(), QStringLiteral("--prefix"), m_prefix});
    QVERIFY(install.waitForFinished(300000));
    QVERIFY2(install.exitCode() == 0, install.readAll().constData());
}

void TestInstallation::installsTheProgramAndItsDesktopFiles_data()
{
    QTest::addColumn<QString>("variable");
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("program");
    QTest::addColumn<int>("iconSize");
    QTest::newRow("program") << "CMAKE_INSTALL_BINDIR" << "kvarnis" << true << 0;
    QTest::newRow("launcher") << "CMAKE_INSTALL_BINDIR" << "kvarnis-launch" << true << 0;
    QTest::newRow("system-information tool") << "CMAKE_INSTALL_LIBEXECDIR" << "kvarnis/Tavrel.exe" << true << 0;
    QTest::newRow("desktop entry") << "CMAKE_INSTALL_DATADIR" << "applications/kvarnis.desktop" << false << 0;
    QTest::newRow("metainfo") << "CMAKE_INSTALL_DATADIR" << "metainfo/ru.kvarnis.Kvarnis.metainfo.xml" << false << 0;
    QTest::newRow("icon 32") << "CMAKE_INSTALL_DATADIR" << "icons/hicolor/32x32/apps/kvarnis.png" << false << 32;
    QTest::newRow("icon 256") << "CMAKE_INSTALL_DATADIR" << "icons/hicolor/256x256/apps/kvarnis.png" << false << 256;
    QTest::newRow("scalable icon") << "CMAKE_INSTALL_DATADIR" << "icons/hicolor/scalable/apps/kvarnis.svg" << false << 0;
}

void TestInstallation::installsTheProgramAndItsDesktopFiles()
{
    QFETCH(QString, variable);
    QFETCH(QString, path);
    QFETCH(bool, program);
    QFETCH(int, iconSize);
    const QFileInfo file(installed(variable, path));
    QVERIFY2(file.isFile(), qPrintable(file.filePath()));
    QCOMPARE(file.isExecutable(), program);
    if (iconSize)
        QCOMPARE(QImage(file.filePath()).size(), QSize(iconSize, iconSize));
    if (path.endsWith(QStringLiteral(".svg")))
        QVERIFY(readFile(file.filePath()).contains("<svg"));
}

void TestInstallation::installsTheSuppliedFiles()
{
    const QString supplied = installed(QStringLiteral("CMAKE_INSTALL_DATADIR"), QStringLiteral("kvarnis/supplied"));
    QStringList expected = filesBelow(stagedDir());
    expected.removeAll(QStringLiteral("Tavrel.exe")); // a program: installed with the programs, linked by the launcher
    QCOMPARE(filesBelow(supplied), expected);
    for (const QString &file : expected)
        QVERIFY2(readFile(supplied + u'/' + file) == readFile(stagedDir() + u'/' + file), qPrintable(file));
}

void TestInstallation::desktopEntryIsValid()
{
    const QString entry = installed(QStringLiteral("CMAKE_INSTALL_DATADIR"), QStringLiteral("applications/kvarnis.desktop"));
    QProcess validate;
    validate.setProcessChannelMode(QProcess::MergedChannels);
    validate.start(QStringLiteral("desktop-file-validate"), {entry});
    QVERIFY2(validate.waitForStarted(), "desktop-file-validate is missing (scripts/setup-debian installs it)");
    QVERIFY(validate.waitForFinished(60000));
    const QByteArray output = validate.readAll();
    QVERIFY2(validate.exitCode() == 0 && output.trimmed().isEmpty(), output.constData());

    // It starts the installed launcher and shows the installed icon.
    QSettings desktop(entry, QSettings::IniFormat);
    desktop.beginGroup(QStringLiteral("Desktop Entry"));
    QCOMPARE(desktop.value(QStringLiteral("Exec")).toString(), QStringLiteral("kvarnis-launch"));
    QVERIFY(QFileInfo(installed(QStringLiteral("CMAKE_INSTALL_BINDIR"), QStringLiteral("kvarnis-launch"))).isExecutable());
    QCOMPARE(desktop.value(QStringLiteral("Icon")).toString(), QStringLiteral("kvarnis"));
}

void TestInstallation::metainfoIsValid()
{
    const QString metainfo = installed(QStringLiteral("CMAKE_INSTALL_DATADIR"), QStringLiteral("metainfo/ru.kvarnis.Kvarnis.metainfo.xml"));
    QProcess validate;
    validate.setProcessChannelMode(QProcess::MergedChannels);
    validate.start(QStringLiteral("appstreamcli"), {QStringLiteral("validate"), QStringLiteral("--no-net"), metainfo});
    QVERIFY2(validate.waitForStarted(), "appstreamcli is missing (scripts/setup-debian installs it)");
    QVERIFY(validate.waitForFinished(60000));
    QVERIFY2(validate.exitCode() == 0, validate.readAll().constData());
    const QByteArray xml = readFile(metainfo);
    QVERIFY(xml.contains("<launchable type=\"desktop-id\">kvarnis.desktop</launchable>"));
    QVERIFY(!xml.contains("@KVARNIS"));
    QVERIFY(xml.contains("<project_license>GPL-3.0-or-later</project_license>"));
    // The screenshot is published from the sources' docs/screenshots, at the size the data gives.
    const QRegularExpressionMatch image = QRegularExpression(QStringLiteral(
        "<image type=\"source\" width=\"(\\d+)\" height=\"(\\d+)\">[^<]*/screenshots/([^<]+\\.png)</image>"))
                                              .match(QString::fromUtf8(xml));
    QVERIFY2(image.hasMatch(), xml.constData());
    const QImage screenshot(sourceDir() + QStringLiteral("/docs/screenshots/") + image.captured(3));
    QVERIFY(!screenshot.isNull());
    QCOMPARE(screenshot.size(), QSize(image.captured(1).toInt(), image.captured(2).toInt()));
}

QString TestInstallation::launch(const QProcessEnvironment &environment)
{
    QProcess launcher;
    QProcessEnvironment e = environment;
    e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    launcher.setProcessEnvironment(e);
    launcher.setWorkingDirectory(m_dir.path());
    launcher.setStandardInputFile(QProcess::nullDevice());
    launcher.setStandardOutputFile(QProcess::nullDevice());
    launcher.start(installed(QStringLiteral("CMAKE_INSTALL_BINDIR"), QStringLiteral("kvarnis-launch")), {});
    if (!launcher.waitForStarted())
        return {};
    // The launcher ends by becoming the program (exec), so the same process
    // turns into the installed program once the folder is ready.
    const QString program = QFileInfo(installed(QStringLiteral("CMAKE_INSTALL_BINDIR"), QStringLiteral("kvarnis"))).canonicalFilePath();
    const bool started = QTest::qWaitFor([&] {
        return running(launcher.processId()).program == program || launcher.state() == QProcess::NotRunning;
    }, 120000);
    const Running now = running(launcher.processId());
    const bool isProgram = started && launcher.state() == QProcess::Running && now.program == program;
    if (!isProgram)
        qWarning("launcher: %s", launcher.readAllStandardError().constData());
    launcher.kill();
    launcher.waitForFinished();
    return isProgram ? now.folder : QString();
}

void TestInstallation::launcherPreparesTheWorkingFolder_data()
{
    QTest::addColumn<QString>("xdgDataHome"); // relative to the test's folder; empty: not set
    QTest::addColumn<QString>("dataFolder");
    QTest::newRow("home") << QString() << QStringLiteral("home/.local/share");
    QTest::newRow("XDG_DATA_HOME") << QStringLiteral("/xdg") << QStringLiteral("xdg");
    QTest::newRow("relative XDG_DATA_HOME is not valid") << QStringLiteral("xdg") << QStringLiteral("home/.local/share");
}

void TestInstallation::launcherPreparesTheWorkingFolder()
{
    QFETCH(QString, xdgDataHome);
    QFETCH(QString, dataFolder);
    QTemporaryDir user;
    QVERIFY(user.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), user.path() + QStringLiteral("/home"));
    environment.remove(QStringLiteral("XDG_DATA_HOME"));
    if (xdgDataHome.startsWith(u'/'))
        environment.insert(QStringLiteral("XDG_DATA_HOME"), user.path() + xdgDataHome);
    else if (!xdgDataHome.isEmpty())
        environment.insert(QStringLiteral("XDG_DATA_HOME"), xdgDataHome);

    const QString data = user.path() + u'/' + dataFolder + QStringLiteral("/kvarnis");
    const QString work = data + QStringLiteral("/work");
    QCOMPARE(launch(environment), work);

    // Every supplied file: the tips, both help files, the batch files, the
    // code files and their default set; the tool as a link to the installed one.
    QStringList expected = filesBelow(stagedDir());
    QCOMPARE(filesBelow(work), expected);
    expected.removeAll(QStringLiteral("Tavrel.exe"));
    for (const QString &file : expected)
        QVERIFY2(readFile(work + u'/' + file) == readFile(stagedDir() + u'/' + file), qPrintable(file));
    QCOMPARE(QFileInfo(work + QStringLiteral("/Tavrel.exe")).canonicalFilePath(),
             QFileInfo(installed(QStringLiteral("CMAKE_INSTALL_LIBEXECDIR"), QStringLiteral("kvarnis/Tavrel.exe"))).canonicalFilePath());
    // The folder of "C:\temp", for the downloads.
    QVERIFY(QFileInfo(data + QStringLiteral("/drive_c/temp")).isDir());

    // The tool and a batch file work there.
    QProcess tool;
    QProcessEnvironment offscreen = environment;
    offscreen.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    tool.setProcessEnvironment(offscreen);
    tool.setWorkingDirectory(work);
    tool.start(work + QStringLiteral("/Tavrel.exe"), {QStringLiteral("--print")});
    QVERIFY(tool.waitForFinished(60000));
    QCOMPARE(tool.exitCode(), 0);
    QVERIFY(tool.readAllStandardOutput().contains("Память"));

    QVERIFY(writeFile(work + QStringLiteral("/Web.html"), "<html></html>\r\n"));
    QProcess batch;
    batch.setWorkingDirectory(work);
    batch.start(QStringLiteral("/bin/sh"), {work + QStringLiteral("/DELWEB.BAT")});
    QVERIFY(batch.waitForFinished(60000));
    QCOMPARE(batch.exitCode(), 0);
    QVERIFY(!QFileInfo::exists(work + QStringLiteral("/Web.html")));
}

void TestInstallation::launcherNeverOverwritesTheUsersFiles()
{
    QTemporaryDir user;
    QVERIFY(user.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), user.path());
    environment.remove(QStringLiteral("XDG_DATA_HOME"));
    const QString work = user.path() + QStringLiteral("/.local/share/kvarnis/work");
    QCOMPARE(launch(environment), work);

    // The user edits, deletes, adds, renames a folder (the program takes
    // "update\Code1.txt" for UPDATE/Code1.txt then) and puts a file of their
    // own where the tool's link was.
    QVERIFY(writeFile(work + QStringLiteral("/help/info/help001.txt"), "my tip\r\n"));
    QVERIFY(QDir(work).rename(QStringLiteral("update"), QStringLiteral("UPDATE")));
    QVERIFY(writeFile(work + QStringLiteral("/UPDATE/Code3.txt"), "<title>Mine</title>\r\n"));
    QVERIFY(QFile::remove(work + QStringLiteral("/UPDATE/Code5.txt")));
    QVERIFY(writeFile(work + QStringLiteral("/Project.wp"), "my project\r\n"));
    QVERIFY(QFile::remove(work + QStringLiteral("/Tavrel.exe")));
    QVERIFY(writeFile(work + QStringLiteral("/Tavrel.exe"), "mine"));
    Tree expected = tree(work);

    QCOMPARE(launch(environment), work);

    // Only the missing supplied file comes back, where the program looks for it.
    expected.insert(QStringLiteral("UPDATE/Code5.txt"), readFile(stagedDir() + QStringLiteral("/update/Code5.txt")));
    const QString diff = differences(tree(work), expected);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

QTEST_MAIN(TestInstallation)
#include "tst_installation.moc"
