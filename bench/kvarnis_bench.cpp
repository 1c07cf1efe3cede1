// Measures the program's own code against floors built in the same tree or
// standard tools, alternately, and prints the median ratio of each row.
//
//   kvarnis_bench [ROUNDS]        every row (QT_QPA_PLATFORM=offscreen)
//   kvarnis_bench --child MODE .. one measurement in a fresh process
#include "app/registry.h"
#include "platform/desktopservices.h"
#include "platform/desktopsetup.h"
#include "platform/download.h"
#include "platform/memory.h"
#include "platform/realdesktopservices.h"
#include "platform/recordingdesktopservices.h"
#include "platform/tmemo.h"
#include "text/codepage.h"
#include "text/filenames.h"
#include "text/textfile.h"
#include "windows/main/mainwindow.h"
#include "windows/package_installation/packageinstallationwindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using namespace kv;

namespace {

constexpr qsizetype PageBytes = 20 * 1000 * 1000;
constexpr int PageLines = 400000;

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// A page of `lines` lines of Cyrillic and ASCII text, CR LF, about `bytes` long.
QByteArray makePage(qsizetype bytes, int lines)
{
    const QByteArray sample = kv::cp("<p>Здравствуйте, это моя страница: текст, ссылки и картинки.</p> ");
    const qsizetype perLine = bytes / lines - 2;
    QByteArray page;
    page.reserve(bytes + lines);
    for (int i = 0; i < lines; ++i) {
        for (qsizetype n = 0; n < perLine; n += sample.size())
            page.append(sample.constData(), std::min(sample.size(), perLine - n));
        page.append("\r\n");
    }
    return page;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// Lets the event loop lay out and paint what is pending.
void settle(QWidget *w)
{
    w->repaint();
    QCoreApplication::processEvents();
}

double seconds(const std::function<void()> &work)
{
    QElapsedTimer t;
    t.start();
    work();
    return double(t.nsecsElapsed()) / 1e9;
}

// Runs a program to its end and returns the seconds it took. posix_spawn
// starts it without fork's copy-on-write marking of this process's memory,
// which would otherwise slow the next measurement in here.
double runProcess(const QString &program, const QStringList &args, QByteArray *output = nullptr)
{
    std::vector<QByteArray> storage{QFile::encodeName(program)};
    for (const QString &a : args)
        storage.push_back(QFile::encodeName(a));
    std::vector<char *> argv;
    for (QByteArray &a : storage)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        qFatal("no pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    QElapsedTimer t;
    t.start();
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        qFatal("cannot start %s", qPrintable(program));
    ::close(pipeFds[1]);
    QByteArray out;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        out.append(buffer, n);
    int status = 0;
    ::waitpid(pid, &status, 0);
    const double s = double(t.nsecsElapsed()) / 1e9;
    ::close(pipeFds[0]);
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        qFatal("%s failed", qPrintable(program));
    if (output)
        *output = out;
    return s;
}

struct Row
{
    const char *work;
    const char *floor;
    double goal;
    std::function<double()> own;
    std::function<double()> base;
};

// --- children: one measurement each in a fresh process -------------------

class FirstFrame : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint && !done) {
            done = true;
            // Right after the first frame: the teardown is no part of start-up.
            QTimer::singleShot(0, qApp, [] { std::_Exit(0); });
        }
        return false;
    }
    bool done = false;
};

long peakKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    (void)status.open(QIODevice::ReadOnly);
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

int child(const QString &mode, const QStringList &args)
{
    static RecordingDesktopServices quiet; // no boxes, no sounds, no browser
    setServices(&quiet);
    if (mode == QStringLiteral("startup-app")) {
        Registry::create();
        FirstFrame frame;
        registry().Form1->installEventFilter(&frame);
        registry().Form1->showForm();
        return QApplication::exec();
    }
    if (mode == QStringLiteral("startup-floor")) {
        QMainWindow window;
        auto *edit = new QPlainTextEdit(&window);
        window.setCentralWidget(edit);
        FirstFrame frame;
        window.installEventFilter(&frame);
        window.show();
        return QApplication::exec();
    }
    if (mode == QStringLiteral("memory-app")) {
        Registry::create();
        registry().Form1->showForm();
        QDir::setCurrent(args.value(0));
        registry().Form1->BitBtn5->click();
        settle(registry().Form1);
        std::printf("%ld\n", peakKilobytes());
        std::fflush(stdout);
        std::_Exit(0);
    }
    if (mode == QStringLiteral("memory-floor")) {
        QMainWindow window;
        auto *edit = new QPlainTextEdit(&window);
        window.setCentralWidget(edit);
        window.show();
        QFile f(args.value(0) + QStringLiteral("/Code.txt"));
        (void)f.open(QIODevice::ReadOnly);
        QStringDecoder decode("windows-1251");
        edit->setPlainText(QString(decode(f.readAll())).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        settle(&window);
        std::printf("%ld\n", peakKilobytes());
        std::fflush(stdout);
        std::_Exit(0);
    }
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    kv::keepLargeBlocksForReuse(); // as the program does at start-up
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    kv::setUpDesktop(); // the face and Qt's translation, as the program at start-up
    const QStringList args = app.arguments().mid(1);
    if (args.value(0) == QStringLiteral("--child"))
        return child(args.value(1), args.mid(2));

    const int rounds = args.value(0).toInt() > 0 ? args.value(0).toInt() : 5;
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    QDir().mkpath(QStringLiteral("drive_c/temp"));
    fileNames::setDriveRoot(dir.path() + QStringLiteral("/drive_c"));
    RecordingDesktopServices quiet;
    setServices(&quiet);
    const QString self = QCoreApplication::applicationFilePath();

    std::fprintf(stderr, "preparing the pages...\n");
    const QByteArray page = makePage(PageBytes, PageLines);
    writeFile(QStringLiteral("Code.txt"), page);
    const QByteArray longLine = makePage(2 * 1000 * 1000, 1);
    writeFile(QStringLiteral("long.txt"), longLine);
    const QByteArray tipsPage = makePage(4 * 1000 * 1000, 100000); // 100,000 lines per file
    for (const char *name : {"RU.txt", "RUa.txt", "RUb.txt", "RUc.txt"})
        writeFile(QStringLiteral("drive_c/temp/") + QString::fromLatin1(name), tipsPage);
    const QString decoded = kv::viewOfText(page);
    // The same page behind a comment that is never closed: all of it is comment.
    const QByteArray brokenPage = "<!-- not closed\r\n" + page;
    QDir().mkpath(QStringLiteral("broken"));
    writeFile(QStringLiteral("broken/Code.txt"), brokenPage);
    const QString brokenDecoded = kv::viewOfText(brokenPage);

    Registry::create();
    TForm1 &main = *registry().Form1;
    main.showForm();
    QPlainTextEdit floorEdit;
    floorEdit.resize(main.Memo1->size());
    floorEdit.show();

    // A 200 MB download from a loopback server.
    const QByteArray big(200 * 1024 * 1024, 'k');
    QDir().mkpath(QStringLiteral("server/hdd/DB"));
    writeFile(QStringLiteral("server/hdd/DB/codes.zip"), big);
    QProcess server;
    server.start(QStringLiteral("python3"), {QStringLiteral(KVARNIS_BENCH_HTTP_SERVER), dir.path() + QStringLiteral("/server"), QStringLiteral("serve")});
    server.waitForReadyRead(10000);
    const int port = server.readLine().trimmed().toInt();
    const QString url = QStringLiteral("http://" KVARNIS_UPDATE_HOST "/hdd/DB/codes.zip");
    downloadSettings().connectTo = {QStringLiteral(KVARNIS_UPDATE_HOST ":80:127.0.0.1:%1").arg(port)};
    const QString curlConnect = QStringLiteral(KVARNIS_UPDATE_HOST ":80:127.0.0.1:%1").arg(port);

    // Ten keystrokes at the end of the text, each shown before the next.
    const auto typeAtEnd = [](QPlainTextEdit *edit) {
        edit->moveCursor(QTextCursor::End);
        settle(edit);
        return seconds([&] {
            for (int i = 0; i < 10; ++i) {
                QTest::keyClick(edit, Qt::Key_A);
                settle(edit);
            }
        });
    };
    // Ten keystrokes inside the comment that opens the text.
    const auto typeInComment = [](QPlainTextEdit *edit) {
        QTextCursor cursor(edit->document());
        cursor.setPosition(4);
        edit->setTextCursor(cursor);
        settle(edit);
        return seconds([&] {
            for (int i = 0; i < 10; ++i) {
                QTest::keyClick(edit, Qt::Key_A);
                settle(edit);
            }
        });
    };
    // The rows in colour measure nothing unless the page editor shows colours.
    const auto inColour = [](TMemo *memo) {
        if (memo->document()->firstBlock().layout()->formats().isEmpty())
            qFatal("the page editor shows no colours");
    };
    // The page editor as the program starts: the default ten-line page.
    const QByteArray defaultPage = main.Memo1->text();

    std::vector<Row> rows = {
        {"start-up to the main window's first frame", "bare Qt window with a QPlainTextEdit", 1.25,
         [&] { return runProcess(self, {QStringLiteral("--child"), QStringLiteral("startup-app")}); },
         [&] { return runProcess(self, {QStringLiteral("--child"), QStringLiteral("startup-floor")}); }},
        {"\"Загрузить код\" of a 20 MB, 400,000-line page", "QPlainTextEdit::setPlainText", 1.2,
         [&] { main.Memo1->clear(); settle(&main); const double s = seconds([&] { main.BitBtn5->click(); settle(&main); }); inColour(main.Memo1); return s; },
         [&] { floorEdit.clear(); settle(&floorEdit); return seconds([&] { floorEdit.setPlainText(decoded); settle(&floorEdit); }); }},
        {"\"Загрузить код\" of that page in colour, a comment unclosed at its top", "QPlainTextEdit::setPlainText", 1.2,
         [&] {
             main.Memo1->clear();
             settle(&main);
             QDir::setCurrent(dir.path() + QStringLiteral("/broken"));
             const double s = seconds([&] { main.BitBtn5->click(); settle(&main); });
             QDir::setCurrent(dir.path());
             inColour(main.Memo1);
             return s;
         },
         [&] { floorEdit.clear(); settle(&floorEdit); return seconds([&] { floorEdit.setPlainText(brokenDecoded); settle(&floorEdit); }); }},
        {"byte path of load lines (read, normalise, decode)", "cp of the file, warm cache", 3.0,
         [&] { return seconds([&] { const QByteArray b = loadBytes(QStringLiteral("Code.txt"), {TMemo::TextCapacity, TMemo::LineCapacity}); (void)kv::viewOfText(b); }); },
         [&] { return runProcess(QStringLiteral("cp"), {QStringLiteral("Code.txt"), QStringLiteral("copy.txt")}); }},
        {"\"Компилировать проект\" with that page (five files)", "five durable copies (dd conv=fsync)", 1.5,
         [&] { main.Memo1->setText(page); return seconds([&] { main.N31->click(); }); },
         [&] {
             return seconds([&] {
                 for (int i = 0; i < 5; ++i)
                     runProcess(QStringLiteral("dd"), {QStringLiteral("if=Code.txt"), QStringLiteral("of=copy%1.txt").arg(i),
                                                       QStringLiteral("bs=1M"), QStringLiteral("conv=fsync"), QStringLiteral("status=none")});
             });
         }},
        {"one keystroke at the end of that page", "one keystroke in the default page", 2.0,
         [&] { main.Memo1->setText(page); settle(&main); const double s = typeAtEnd(main.Memo1); inColour(main.Memo1); return s; },
         [&] { main.Memo1->setText(defaultPage); settle(&main); return typeAtEnd(main.Memo1); }},
        {"ten keystrokes at the top of that page, in an unclosed comment", "ten keystrokes in the default page", 2.0,
         [&] { main.Memo1->setText(brokenPage); settle(&main); const double s = typeInComment(main.Memo1); inColour(main.Memo1); return s; },
         [&] { main.Memo1->setText(defaultPage); settle(&main); return typeAtEnd(main.Memo1); }},
        {"a 2 MB page on a single line, loaded and shown", "setPlainText of the same text", 1.3,
         [&] { main.Memo1->clear(); settle(&main); return seconds([&] { main.Memo1->loadLines(QStringLiteral("long.txt")); settle(&main); }); },
         [&] { floorEdit.clear(); settle(&floorEdit); const QString t = kv::viewOfText(longLine); return seconds([&] { floorEdit.setPlainText(t); settle(&floorEdit); }); }},
        {"\"Показать\" with four files of 100,000 lines", "load lines of the same bytes", 2.0,
         [&] {
             TForm11 &packages = *registry().Form11;
             for (TMemo *m : packages.findChildren<TMemo *>())
                 m->clear();
             packages.showForm();
             settle(&packages);
             const double s = seconds([&] { packages.findChild<TBitBtn *>(QStringLiteral("BitBtn8"))->click(); settle(&packages); });
             packages.closeForm();
             return s;
         },
         [&] {
             TMemo m(nullptr, "Memo1", {0, 0, 145, 145});
             m.show();
             return seconds([&] {
                 for (const char *name : {"RU.txt", "RUa.txt", "RUb.txt", "RUc.txt"}) {
                     m.loadLines(QStringLiteral("C:\\temp\\") + QString::fromLatin1(name));
                     settle(&m);
                 }
             });
         }},
        {"a 200 MB download from a loopback server", "curl -s -o of the same URL, then sync of the file", 1.15,
         // The program's own download: the transfer on its thread, the progress box shown, and
         // the file flushed to the disk before it replaces the earlier one, as every save is; so
         // the floor is a download that is on the disk too.
         [&] { RealDesktopServices real; return seconds([&] { if (!real.download(url, QStringLiteral("C:\\temp\\codes.ZIP"))) qFatal("download failed"); }); },
         [&] { return runProcess(QStringLiteral("curl"), {QStringLiteral("-s"), QStringLiteral("--connect-to"), curlConnect, QStringLiteral("-o"), QStringLiteral("curl.zip"), url})
                      + runProcess(QStringLiteral("sync"), {QStringLiteral("curl.zip")}); }},
        {"peak memory with the 20 MB page loaded", "the bare window holding the same text", 1.3,
         [&] { QByteArray out; runProcess(self, {QStringLiteral("--child"), QStringLiteral("memory-app"), dir.path()}, &out); return out.trimmed().toDouble(); },
         [&] { QByteArray out; runProcess(self, {QStringLiteral("--child"), QStringLiteral("memory-floor"), dir.path()}, &out); return out.trimmed().toDouble(); }},
    };

    std::printf("%-52s %-40s %10s %10s %7s %7s\n", "work", "floor", "own", "floor", "ratio", "goal");
    int missed = 0;
    // KVARNIS_BENCH_ONLY=text runs just the rows whose work mentions it.
    const QString only = qEnvironmentVariable("KVARNIS_BENCH_ONLY");
    for (const Row &row : rows) {
        if (!only.isEmpty() && !QString::fromUtf8(row.work).contains(only))
            continue;
        std::vector<double> ratios, owns, bases;
        for (int i = 0; i < rounds; ++i) {
            const double own = row.own();
            const double base = row.base();
            owns.push_back(own);
            bases.push_back(base);
            ratios.push_back(base > 0 ? own / base : 0);
        }
        const double r = median(ratios);
        missed += r > row.goal;
        // Seconds shown as milliseconds; the memory row counts kilobytes.
        const bool memory = row.goal == 1.3 && std::string(row.work).find("memory") != std::string::npos;
        const double scale = memory ? 1.0 / 1024 : 1000;
        std::printf("%-52s %-40s %7.1f %s %7.1f %s %6.2fx %6.2fx  %s\n", row.work, row.floor, median(owns) * scale,
                    memory ? "MB" : "ms", median(bases) * scale, memory ? "MB" : "ms", r, row.goal,
                    r <= row.goal ? "met" : "MISSED");
        std::fflush(stdout);
    }
    server.closeWriteChannel();
    server.waitForFinished(3000);
    Registry::destroy();
    return missed ? 1 : 0;
}
