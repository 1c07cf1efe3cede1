#pragma once
#include "platform/desktopservices.h"

namespace kv {

class RealDesktopServices : public DesktopServices
{
public:
    void messageBox(const QString &text) override;
    void errorBox(const QString &text) override;
    std::optional<QString> openFileDialog(QWidget *owner, const QString &filter) override;
    void beep() override;
    void sleep(int milliseconds) override;
    void shellOpen(const QString &target, ShowMode mode) override;
    bool download(const QString &url, const QString &path) override;
};

// "Проект|*.wp;*.txt|Все|*.*" -> "Проект (*.wp *.txt);;Все (*.*)"
QString qtFileFilter(const QString &filter);

} // namespace kv
