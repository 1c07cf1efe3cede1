#include "platform/controls.h"

#include "platform/desktopservices.h"
#include "platform/dispatch.h"
#include "text/codepage.h"

#include <QKeyEvent>
#include <QPainter>

namespace kv {
namespace {

// Enter presses the focused button as Space does, in every window and not
// only in dialogs; the click enters through the dispatcher like a mouse click.
bool pressWithEnter(QPushButton *button, const QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || (event->modifiers() & ~Qt::KeypadModifier) || !button->isEnabled())
        return false;
    button->QAbstractButton::click();
    return true;
}

} // namespace

void ClickCommand::dispatchClick() const
{
    if (m_onClick)
        runCommand(m_onClick);
}

void place(QWidget *control, const char *name, const QRect &geometry)
{
    control->setObjectName(QString::fromLatin1(name));
    if (geometry.isValid())
        control->setGeometry(geometry);
}

TButton::TButton(QWidget *parent, const char *name, const QRect &geometry, const char *caption)
    : QPushButton(QString::fromUtf8(caption), parent)
{
    place(this, name, geometry);
    setAutoDefault(false);
    connect(this, &QAbstractButton::clicked, this, [this] { dispatchClick(); });
}

void TButton::keyPressEvent(QKeyEvent *event)
{
    if (!pressWithEnter(this, event))
        QPushButton::keyPressEvent(event);
}

TBitBtn::TBitBtn(QWidget *parent, const char *name, const QRect &geometry, const char *caption, const QIcon &glyph)
    : QPushButton(glyph, QString::fromUtf8(caption), parent)
{
    place(this, name, geometry);
    setAutoDefault(false);
    connect(this, &QAbstractButton::clicked, this, [this] { dispatchClick(); });
}

void TBitBtn::keyPressEvent(QKeyEvent *event)
{
    if (!pressWithEnter(this, event))
        QPushButton::keyPressEvent(event);
}

TLabel::TLabel(QWidget *parent, const char *name, const QPoint &position, const char *caption)
    : TLabel(parent, name, QRect(), caption)
{
    adjustSize();
    move(position);
}

TLabel::TLabel(QWidget *parent, const char *name, const QRect &geometry, const char *caption)
    : QLabel(parent)
    , m_caption(QString::fromUtf8(caption))
{
    place(this, name, geometry);
    setText(QString(m_caption).replace(u'\r', u'\n'));
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextFormat(Qt::PlainText);
}

void TLabel::labels(QWidget *control)
{
    setBuddy(control);
    control->setAccessibleName(QString(m_caption).replace(u'\r', u' ').trimmed());
}

TEdit::TEdit(QWidget *parent, const char *name, const QRect &geometry, const char *initialText)
    : QLineEdit(QString::fromUtf8(initialText), parent)
{
    place(this, name, geometry);
}

QByteArray TEdit::text() const
{
    return toCp1251(QLineEdit::text());
}

void TEdit::setText(const QByteArray &bytes)
{
    QLineEdit::setText(fromCp1251(bytes));
}

TCheckBox::TCheckBox(QWidget *parent, const char *name, const QRect &geometry, const char *caption, bool checked)
    : QCheckBox(QString::fromUtf8(caption), parent)
{
    place(this, name, geometry);
    setChecked(checked);
    connect(this, &QAbstractButton::toggled, this, [this] { dispatchClick(); });
}

TGroupBox::TGroupBox(QWidget *parent, const char *name, const QRect &geometry, const char *caption)
    : QGroupBox(QString::fromUtf8(caption), parent)
{
    place(this, name, geometry);
}

TPanel::TPanel(QWidget *parent, const char *name, const QRect &geometry)
    : QFrame(parent)
{
    place(this, name, geometry);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
}

TTabControl::TTabControl(QWidget *parent, const char *name, const QRect &geometry)
    : QFrame(parent)
{
    place(this, name, geometry);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
}

TProgressBar::TProgressBar(QWidget *parent, const char *name, const QRect &geometry)
    : QProgressBar(parent)
{
    place(this, name, geometry);
    setRange(0, 100);
    setValue(0);
    setTextVisible(false); // a bare bar, without a percentage written on it
}

TStatusBar::TStatusBar(QWidget *parent, const char *name)
    : QStatusBar(parent)
    , m_text(new QLabel(this))
{
    setObjectName(QString::fromLatin1(name));
    m_text->setTextFormat(Qt::PlainText);
    addWidget(m_text, 1);
}

void TStatusBar::setSimpleText(const QString &text)
{
    m_text->setText(text);
    setAccessibleName(text);
}

void TStatusBar::mouseReleaseEvent(QMouseEvent *event)
{
    QStatusBar::mouseReleaseEvent(event);
    dispatchClick();
}

TImage::TImage(QWidget *parent, const char *name, const QRect &geometry, const QString &description)
    : QWidget(parent)
{
    place(this, name, geometry);
    setAccessibleName(description);
    setAccessibleDescription(description);
}

void TImage::setPicture(const QImage &picture)
{
    m_picture = picture;
    update();
}

void TImage::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setClipRect(rect());
    painter.drawImage(QPoint(0, 0), m_picture);
}

TTimer::TTimer(QObject *parent, const char *name, int intervalMs, std::function<void()> onTimer)
    : QTimer(parent)
{
    setObjectName(QString::fromLatin1(name));
    setInterval(intervalMs);
    connect(this, &QTimer::timeout, this, [handler = std::move(onTimer)] { runCommand(handler); });
}

TMenuItem::TMenuItem(QObject *parent, const char *name, const QString &caption)
    : QAction(caption, parent)
{
    setObjectName(QString::fromLatin1(name));
    connect(this, &QAction::triggered, this, [this] {
        if (isEnabled())
            dispatchClick();
    });
}

bool TOpenDialog::execute(QWidget *owner)
{
    const std::optional<QString> chosen = services().openFileDialog(owner, filter);
    if (!chosen)
        return false;
    fileName = *chosen;
    return true;
}

} // namespace kv
