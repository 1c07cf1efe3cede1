#include "platform/downloadprogress.h"

#include "platform/dispatch.h"
#include "platform/download.h"

#include <QApplication>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <thread>

namespace kv {
namespace {

// How often the bar follows the transfer: often enough to look alive, rare
// enough to cost nothing.
constexpr int ProgressIntervalMs = 100;

void centreOnScreen(QWidget *box)
{
    const QWidget *active = QApplication::activeWindow();
    const QScreen *screen = active ? active->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    box->adjustSize();
    const QRect area = screen->availableGeometry();
    box->move(area.center() - QPoint(box->width() / 2, box->height() / 2));
}

// Ends the transfer and waits for its thread on every way out of the wait.
struct WorkerJoin
{
    std::thread &worker;
    DownloadControl &control;
    ~WorkerJoin()
    {
        if (worker.joinable()) {
            control.cancel = true;
            worker.join();
        }
    }
};

} // namespace

DownloadProgressBox::DownloadProgressBox(const QString &caption, const QString &url, std::atomic<bool> &cancel)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_cancel(cancel)
    , m_bar(new QProgressBar(this))
    , m_cancelButton(new QPushButton(QString::fromUtf8("Отмена"), this))
{
    setObjectName(QStringLiteral("DownloadProgress"));
    setWindowTitle(caption);
    setWindowModality(Qt::ApplicationModal);
    // Closing or hiding this box must never count as the last window closing.
    setAttribute(Qt::WA_QuitOnClose, false);
    m_bar->setAccessibleName(url);
    m_bar->setRange(0, 0);
    m_bar->setMinimumWidth(300);
    connect(m_cancelButton, &QPushButton::clicked, this, &DownloadProgressBox::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancelButton);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_bar);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void DownloadProgressBox::showProgress(std::int64_t received, std::int64_t total)
{
    if (total <= 0) {
        m_bar->setRange(0, 0);
        return;
    }
    // Thousandths, so files beyond the range of an int still show.
    m_bar->setRange(0, 1000);
    m_bar->setValue(int(std::min<std::int64_t>(received, total) * 1000 / total));
}

void DownloadProgressBox::reject()
{
    // The box stays up, and keeps every other window from input, until the
    // transfer has really ended.
    m_cancel = true;
    m_cancelButton->setEnabled(false);
}

bool downloadWithProgressBox(const QString &url, const QString &path, const QString &caption)
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return downloadToFile(url, path);

    CommandHold hold;
    DownloadControl control;
    DownloadProgressBox box(caption, url, control.cancel);
    QTimer ticker;
    ticker.setInterval(ProgressIntervalMs);
    QObject::connect(&ticker, &QTimer::timeout, &box, [&] { box.showProgress(control.received, control.total); });
    QEventLoop loop;
    std::atomic<bool> done{false};
    bool stored = false;

    // Shown at once: from its first moment it is what keeps the windows from
    // input, and every download step ends in a message box of its own anyway.
    centreOnScreen(&box);
    box.show();
    ticker.start();
    std::thread worker([&] {
        stored = downloadToFile(url, path, &control);
        done = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    WorkerJoin join{worker, control};
    if (!done)
        loop.exec();
    // The loop may also have ended because the program is quitting.
    if (!done)
        control.cancel = true;
    worker.join();
    ticker.stop();
    box.hide();
    return stored;
}

} // namespace kv
