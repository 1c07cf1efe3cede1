#pragma once
// The control kinds the windows are built from, each a thin class over its
// Qt widget with only what the program uses. A control's name is its
// objectName(), so tests and accessibility tools find it; its caption (or
// the caption of its label) is its accessible name.
#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRect>
#include <QStatusBar>
#include <QTimer>

#include <functional>

namespace kv {

// The click command of a control. A user's click enters it through the
// command dispatcher; `click()` runs it as a step of another command, so an
// error there ends the calling command too.
class ClickCommand
{
public:
    void setOnClick(std::function<void()> handler) { m_onClick = std::move(handler); }

protected:
    void runClick() const
    {
        if (m_onClick)
            m_onClick();
    }
    void dispatchClick() const;

private:
    std::function<void()> m_onClick;
};

// Names a control and gives it its place.
void place(QWidget *control, const char *name, const QRect &geometry);

class TButton : public QPushButton, public ClickCommand
{
    Q_OBJECT

public:
    TButton(QWidget *parent, const char *name, const QRect &geometry, const char *caption);
    // Runs the click command whether the button is visible or not.
    void click() const { runClick(); }

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

class TBitBtn : public QPushButton, public ClickCommand
{
    Q_OBJECT

public:
    TBitBtn(QWidget *parent, const char *name, const QRect &geometry, const char *caption = "",
            const QIcon &glyph = {});
    void click() const { runClick(); }

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

class TLabel : public QLabel
{
    Q_OBJECT

public:
    // Without a size the label takes the size of its caption.
    TLabel(QWidget *parent, const char *name, const QPoint &position, const char *caption);
    TLabel(QWidget *parent, const char *name, const QRect &geometry, const char *caption);
    // The caption exactly as given; a CR in it starts a new line on screen.
    QString caption() const { return m_caption; }
    // Makes this label the one that names `control` for keyboard and screen readers.
    void labels(QWidget *control);

private:
    QString m_caption;
};

// A single-line text box; like every text box it holds bytes of the code page.
class TEdit : public QLineEdit
{
    Q_OBJECT

public:
    TEdit(QWidget *parent, const char *name, const QRect &geometry, const char *initialText = "");
    QByteArray text() const;
    void setText(const QByteArray &bytes);
};

class TCheckBox : public QCheckBox, public ClickCommand
{
    Q_OBJECT

public:
    // The click command runs each time the check mark changes, after the change.
    TCheckBox(QWidget *parent, const char *name, const QRect &geometry, const char *caption, bool checked);
};

class TGroupBox : public QGroupBox
{
    Q_OBJECT

public:
    TGroupBox(QWidget *parent, const char *name, const QRect &geometry, const char *caption);
};

class TPanel : public QFrame
{
    Q_OBJECT

public:
    TPanel(QWidget *parent, const char *name, const QRect &geometry = {});
};

// A frame without tabs that holds controls.
class TTabControl : public QFrame
{
    Q_OBJECT

public:
    TTabControl(QWidget *parent, const char *name, const QRect &geometry = {});
};

class TProgressBar : public QProgressBar
{
    Q_OBJECT

public:
    TProgressBar(QWidget *parent, const char *name, const QRect &geometry);
};

class TStatusBar : public QStatusBar, public ClickCommand
{
    Q_OBJECT

public:
    TStatusBar(QWidget *parent, const char *name);
    void setSimpleText(const QString &text);
    QString simpleText() const { return m_text->text(); }

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QLabel *m_text;
};

// A picture drawn at its own size from the top-left corner, clipped to the box.
class TImage : public QWidget
{
    Q_OBJECT

public:
    TImage(QWidget *parent, const char *name, const QRect &geometry, const QString &description);
    void setPicture(const QImage &picture);
    const QImage &picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
};

class TTimer : public QTimer
{
    Q_OBJECT

public:
    TTimer(QObject *parent, const char *name, int intervalMs, std::function<void()> onTimer);
};

class TMenuItem : public QAction, public ClickCommand
{
    Q_OBJECT

public:
    TMenuItem(QObject *parent, const char *name, const QString &caption);
    // Runs the command, unless the item is disabled.
    void click() const
    {
        if (isEnabled())
            runClick();
    }
};

// The platform's file-open dialog.
class TOpenDialog
{
public:
    QString filter;   // "Description|*.ext"
    QString fileName; // the chosen name after a successful execute()
    bool execute(QWidget *owner);
};

} // namespace kv
