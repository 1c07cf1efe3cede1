#include "platform/tform.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

namespace kv {
namespace {
TForm *theMainForm = nullptr;
} // namespace

TForm::TForm(const char *name, const char *caption)
    : QMainWindow(nullptr)
    , m_client(new QWidget(this))
{
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(QString::fromUtf8(caption));
    m_client->setObjectName(QStringLiteral("client"));
    setCentralWidget(m_client);
    // "MS Sans Serif" at 11 pixels; the desktop substitutes its nearest sans face.
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    setFont(font);
}

TForm::~TForm()
{
    if (theMainForm == this)
        theMainForm = nullptr;
}

void TForm::setMainForm(TForm *form)
{
    theMainForm = form;
}

TForm *TForm::mainForm()
{
    return theMainForm;
}

void TForm::setClientSize(int width, int height)
{
    const int extra = menuWidget() ? menuWidget()->sizeHint().height() : 0;
    if (m_fixed)
        setFixedSize(width, height + extra);
    else
        resize(width, height + extra);
}

void TForm::setOuterSize(int width, int height)
{
    setClientSize(width - FrameWidth, height - FrameHeight);
}

void TForm::setBorder(Border border, int icons)
{
    m_fixed = border != Border::Sizeable;
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (border == Border::ToolWindow)
        flags |= Qt::Tool;
    if (border == Border::Dialog)
        flags |= Qt::Dialog;
    if (icons & SystemMenu) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if ((icons & Minimize) && border != Border::Dialog && border != Border::ToolWindow)
            flags |= Qt::WindowMinimizeButtonHint;
        if ((icons & Maximize) && border == Border::Sizeable)
            flags |= Qt::WindowMaximizeButtonHint;
    }
    setWindowFlags(flags);
}

void TForm::setPlacement(Placement placement, QPoint designed)
{
    m_placement = placement;
    m_designed = designed;
    if (placement == Placement::Designed)
        move(designed);
}

void TForm::showForm()
{
    if (!m_shownBefore) {
        m_shownBefore = true;
        QRect area;
        switch (m_placement) {
        case Placement::Designed:
            break;
        case Placement::ScreenCentre:
        case Placement::DesktopCentre:
            if (const QScreen *screen = QGuiApplication::primaryScreen())
                area = m_placement == Placement::ScreenCentre ? screen->geometry() : screen->availableGeometry();
            break;
        case Placement::MainFormCentre:
            if (const TForm *main = mainForm(); main && main != this)
                area = main->frameGeometry();
            break;
        }
        if (area.isValid())
            move(area.center() - QPoint(width() / 2, height() / 2));
    }
    show();
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void TForm::closeForm()
{
    close();
}

void TForm::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (isMainForm()) {
        // Closing the main window ends the program at once: nothing is asked or
        // saved. No other window, box or dialog ever ends it (see main.cpp).
        QCoreApplication::exit(0);
    }
}

} // namespace kv
