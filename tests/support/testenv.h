#pragma once
// What every test of the program stands on: a fresh temporary working
// folder made the current one, a drive root inside it, the recording
// desktop services installed, and (for window tests) the fifteen windows.
#include "platform/recordingdesktopservices.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class QWidget;

namespace kv::test {

class TestEnv
{
public:
    // `withWindows` creates the window registry as the program does at start-up.
    explicit TestEnv(bool withWindows = true);
    ~TestEnv();
    TestEnv(const TestEnv &) = delete;
    TestEnv &operator=(const TestEnv &) = delete;

    RecordingDesktopServices services;

    // The working folder and the folder that stands for "C:\".
    QString folder() const;
    QString driveRoot() const;
    QString path(const QString &relative) const { return folder() + u'/' + relative; }

    // Files of the working folder (relative names with '/').
    void write(const QString &relative, const QByteArray &bytes) const;
    QByteArray read(const QString &relative) const;
    bool exists(const QString &relative) const;

private:
    QTemporaryDir m_dir;
    QString m_previousFolder;
    bool m_windows;
};

// The windows as at start-up, without the start-up timer, which would show
// the tips window (and record its pause) if a test ran long.
struct StartedEnv : TestEnv
{
    StartedEnv();
};

// While it lives, a wait that never ends or a read that never ends fails the
// test program instead of hanging it or eating the machine's memory: the
// program is ended by SIGALRM after `seconds`, and may take only
// `extraBytes` (2 GB) more memory than it had.
class HangGuard
{
public:
    explicit HangGuard(unsigned seconds = 20, unsigned long long extraBytes = 2ULL << 30);
    ~HangGuard();
    HangGuard(const HangGuard &) = delete;
    HangGuard &operator=(const HangGuard &) = delete;

private:
    unsigned long long m_previousLimit[2];
};

// Types as a user does, one character at a time (Cyrillic included); "\n" is Return.
void typeText(QWidget *box, const QString &text);
// A mouse click on a button the user can see and use.
void clickShown(QWidget *button);

// Checks that exactly one error box was shown, "Cannot KIND file "PATH". REASON."
// with the full path of `relative`, a reason, and one final period.
void verifyFileError(const TestEnv &env, const QString &kind, const QString &relative);

// Windows-1251 bytes of a UTF-8 literal.
QByteArray cp(const char *utf8);
// Lines, each followed by CR LF.
QByteArray crlfLines(std::initializer_list<const char *> lines);

} // namespace kv::test
