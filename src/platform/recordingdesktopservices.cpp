#include "platform/recordingdesktopservices.h"

#include "platform/download.h"

#include <QStringList>

namespace kv {

void RecordingDesktopServices::messageBox(const QString &text)
{
    calls.append({QStringLiteral("message"), text, 0});
    if (whileModal)
        whileModal(calls.back());
}

void RecordingDesktopServices::errorBox(const QString &text)
{
    calls.append({QStringLiteral("error"), text, 0});
    if (whileModal)
        whileModal(calls.back());
}

std::optional<QString> RecordingDesktopServices::openFileDialog(QWidget *, const QString &filter)
{
    calls.append({QStringLiteral("dialog"), filter, 0});
    const QString answer = dialogAnswers.isEmpty() ? QString() : dialogAnswers.dequeue();
    if (answer.isEmpty())
        return std::nullopt;
    return answer;
}

void RecordingDesktopServices::beep()
{
    calls.append({QStringLiteral("beep"), QString(), 0});
}

void RecordingDesktopServices::sleep(int milliseconds)
{
    calls.append({QStringLiteral("sleep"), QString(), milliseconds});
}

void RecordingDesktopServices::shellOpen(const QString &target, ShowMode mode)
{
    calls.append({QStringLiteral("shell"), target, int(mode)});
}

bool RecordingDesktopServices::download(const QString &url, const QString &path)
{
    const bool stored = downloadToFile(url, path);
    calls.append({QStringLiteral("download"), url, stored ? 1 : 0});
    return stored;
}

QList<RecordingDesktopServices::Call> RecordingDesktopServices::callsOf(const QString &kind) const
{
    QList<Call> found;
    for (const Call &call : calls)
        if (call.kind == kind)
            found.append(call);
    return found;
}

QStringList RecordingDesktopServices::textsOf(const QString &kind) const
{
    QStringList found;
    for (const Call &call : calls)
        if (call.kind == kind)
            found.append(call.text);
    return found;
}

} // namespace kv
