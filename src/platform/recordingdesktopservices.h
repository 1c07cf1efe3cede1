#pragma once
// The desktop services for tests: every call is recorded in order, modal
// boxes and the file dialog answer at once, nothing is started or played.
// Downloads are real (a test points them at its own server).
#include "platform/desktopservices.h"

#include <QList>
#include <QQueue>
#include <QString>

#include <functional>

namespace kv {

class RecordingDesktopServices : public DesktopServices
{
public:
    struct Call
    {
        QString kind; // "message", "error", "dialog", "beep", "sleep", "shell", "download"
        QString text; // message text, filter, shell target or URL
        int mode = 0; // show mode, sleep time, or download result
        bool operator==(const Call &) const = default;
    };

    QList<Call> calls;
    // Answers for the file dialog, taken in order; an empty queue or an
    // empty answer cancels.
    QQueue<QString> dialogAnswers;
    // Runs while a modal box is "open", to look at the program at that moment.
    std::function<void(const Call &)> whileModal;

    void messageBox(const QString &text) override;
    void errorBox(const QString &text) override;
    std::optional<QString> openFileDialog(QWidget *owner, const QString &filter) override;
    void beep() override;
    void sleep(int milliseconds) override;
    void shellOpen(const QString &target, ShowMode mode) override;
    bool download(const QString &url, const QString &path) override;

    QList<Call> callsOf(const QString &kind) const;
    QStringList textsOf(const QString &kind) const;
};

} // namespace kv
