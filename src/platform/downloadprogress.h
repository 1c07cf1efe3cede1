#pragma once
// A download as the user sees it: the transfer runs on a thread of its own
// while a small progress box with "Отмена" stands over the windows, which
// stay painted. The caller waits for the result as for any blocking call.
#include <QDialog>
#include <QString>

#include <atomic>
#include <cstdint>

class QProgressBar;
class QPushButton;

namespace kv {

// The progress box: application-modal, so no window takes input while it is
// up, and no window whose closing could end the program. "Отмена", Esc and
// the close box ask the transfer to end; the box stays until it has.
class DownloadProgressBox : public QDialog
{
    Q_OBJECT

public:
    DownloadProgressBox(const QString &caption, const QString &url, std::atomic<bool> &cancel);
    // An unknown size (0) shows a bar that only says the transfer goes on.
    void showProgress(std::int64_t received, std::int64_t total);
    void reject() override;

private:
    std::atomic<bool> &m_cancel;
    QProgressBar *m_bar;
    QPushButton *m_cancelButton;
};

// Fetches `url` into the file named `path` (see downloadToFile) on a thread
// of its own and returns when the transfer has ended, showing the progress
// box with `caption` meanwhile; a cancelled transfer is a failed one. No
// command starts while it waits (see CommandHold). Without a widget
// application it simply blocks.
bool downloadWithProgressBox(const QString &url, const QString &path, const QString &caption);

} // namespace kv
