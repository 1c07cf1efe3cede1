#pragma once
// A window of the program. Controls stand at fixed places in its client
// area; a control created later lies above an earlier sibling.
#include <QMainWindow>
#include <QPoint>

namespace kv {

class TForm : public QMainWindow
{
    Q_OBJECT

public:
    enum class Border { Sizeable, Dialog, Single, ToolWindow };
    enum BorderIcon { SystemMenu = 1, Minimize = 2, Maximize = 4 };
    enum class Placement { Designed, ScreenCentre, DesktopCentre, MainFormCentre };

    TForm(const char *name, const char *caption);

    // The area the controls are placed in.
    QWidget *client() const { return m_client; }

    // Size of the client area; fixed unless the border is sizeable.
    void setClientSize(int width, int height);
    // The outer size includes the frame and title bar the desktop draws.
    void setOuterSize(int width, int height);
    // Border style and the buttons of the title bar; without the system
    // menu the title bar shows no buttons at all.
    void setBorder(Border border, int icons);
    void setPlacement(Placement placement, QPoint designed = {});

    // Makes the window visible and brings it to the front; a centred
    // window is centred only the first time.
    void showForm();
    // Hides the window; for the main window, ends the program.
    void closeForm();

    // The creation handler, run by the registry right after the window is built.
    virtual void FormCreate() {}

    // The application's main window: closing it ends the program. Set once
    // at start-up; the only record of which window is the main one.
    static void setMainForm(TForm *form);
    static TForm *mainForm();
    bool isMainForm() const { return mainForm() == this; }

    ~TForm() override;

    // The frame and title bar the layout assumes when an outer size is given
    // (a themed desktop's 4-pixel borders and 26-pixel title bar).
    static constexpr int FrameWidth = 8;
    static constexpr int FrameHeight = 34;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *m_client;
    Placement m_placement = Placement::Designed;
    QPoint m_designed;
    bool m_shownBefore = false;
    bool m_fixed = true;
};

} // namespace kv
