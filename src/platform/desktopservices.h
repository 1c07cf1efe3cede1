#pragma once
// Everything the program asks of the desktop, behind one interface: the
// real implementation talks to Qt, libcurl and the operating system; the
// recording double answers at once so tests never block.
#include <QString>

#include <optional>

class QWidget;

namespace kv {

// How a started program or document shows itself.
enum class ShowMode { Hide = 0, Normal = 1, Show = 5 };

class DesktopServices
{
public:
    virtual ~DesktopServices() = default;

    // Modal, caption = the application title, no icon, one "OK".
    virtual void messageBox(const QString &text) = 0;
    // Modal, caption = the application title, stop icon, one "OK". The text is shown as given.
    virtual void errorBox(const QString &text) = 0;
    // The file-open dialog with a filter of the form "Description|*.ext";
    // nothing when the user cancels.
    virtual std::optional<QString> openFileDialog(QWidget *owner, const QString &filter) = 0;
    virtual void beep() = 0;
    virtual void sleep(int milliseconds) = 0;
    // Opens a file, batch file, program or web address; the result is never looked at.
    virtual void shellOpen(const QString &target, ShowMode mode) = 0;
    // Fetches `url` into the file at `path`; true exactly when the whole
    // resource has been stored there.
    virtual bool download(const QString &url, const QString &path) = 0;
};

// The caption of every message and error box: the application title,
// which the program gives once at start-up.
void setBoxCaption(const QString &caption);
QString boxCaption();

DesktopServices &services();
// Installs `replacement` (not owned); nullptr brings back the real services.
void setServices(DesktopServices *replacement);

} // namespace kv
