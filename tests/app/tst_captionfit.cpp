// Every caption of every window can be read whole with the face the program
// uses: the text of each label, button, check box and group box fits the
// room its control gives it, lies inside the window, and no control above
// it in the stacking order covers part of it.
#include "app/registry.h"
#include "platform/desktopsetup.h"
#include "platform/tform.h"
#include "support/controlpaths.h"
#include "support/testenv.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QScopeGuard>
#include <QTest>

#include <memory>
#include <optional>

using namespace kv;
using kv::test::TestEnv;
using kv::test::controlAt;
using kv::test::controlPath;
using kv::test::formNamed;

namespace {

// The text as drawn: "&x" shows "x", "&&" shows "&".
QString withoutMnemonics(const QString &text)
{
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'&' && i + 1 < text.size())
            ++i;
        shown.append(text.at(i));
    }
    return shown;
}

// Where a control draws its caption, and the room it has for it, both in
// the control's own coordinates.
struct Caption
{
    QString text;
    QRect ink;
    QRect room;
};

std::optional<Caption> captionOf(QWidget *control)
{
    const QFontMetrics metrics(control->font());
    QStyle *style = control->style();
    if (auto *label = qobject_cast<QLabel *>(control)) {
        if (label->text().isEmpty() || label->textFormat() == Qt::RichText)
            return std::nullopt;
        const QRect room = label->contentsRect();
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        // A word longer than the width still shows as one line, wider than the room.
        const QSize size = metrics.boundingRect(QRect(0, 0, label->wordWrap() ? room.width() : 100000, 100000),
                                                flags, label->text()).size();
        return Caption{label->text(), QStyle::alignedRect(label->layoutDirection(), label->alignment(), size, room),
                       room};
    }
    if (auto *button = qobject_cast<QPushButton *>(control)) {
        if (button->text().isEmpty())
            return std::nullopt;
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        option.icon = button->icon();
        option.iconSize = button->iconSize();
        const QRect room = style->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        const QString shown = withoutMnemonics(button->text());
        QSize size(metrics.horizontalAdvance(shown), metrics.height());
        if (!button->icon().isNull())
            size.rwidth() += button->iconSize().width() + 4;
        return Caption{shown, QStyle::alignedRect(button->layoutDirection(), Qt::AlignCenter, size, room), room};
    }
    if (auto *box = qobject_cast<QAbstractButton *>(control);
        box && (qobject_cast<QCheckBox *>(box) || qobject_cast<QRadioButton *>(box))) {
        if (box->text().isEmpty())
            return std::nullopt;
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        const QRect room = style->subElementRect(
            qobject_cast<QCheckBox *>(box) ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents, &option,
            box);
        const QString shown = withoutMnemonics(box->text());
        const QSize size(metrics.horizontalAdvance(shown), metrics.height());
        return Caption{shown, QStyle::alignedRect(box->layoutDirection(), Qt::AlignLeft | Qt::AlignVCenter, size, room),
                       room};
    }
    if (auto *group = qobject_cast<QGroupBox *>(control)) {
        if (group->title().isEmpty())
            return std::nullopt;
        QStyleOptionGroupBox option;
        option.initFrom(group);
        option.text = group->title();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        option.textAlignment = group->alignment();
        const QRect ink = style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
        return Caption{withoutMnemonics(group->title()), ink, group->rect()};
    }
    return std::nullopt;
}

// What hides part of `ink` (in the coordinates of `control`), or an empty text.
QString whatCuts(QWidget *control, const QWidget *client, const Caption &caption)
{
    if (!caption.room.contains(caption.ink)) {
        return QStringLiteral("needs %1 x %2 pixels, has %3 x %4")
            .arg(caption.ink.width())
            .arg(caption.ink.height())
            .arg(caption.room.width())
            .arg(caption.room.height());
    }
    QRect ink = caption.ink;
    QWidget *widget = control;
    while (widget != client) {
        QWidget *parent = widget->parentWidget();
        ink.translate(widget->pos());
        if (!parent->rect().contains(ink))
            return QStringLiteral("runs past the edge of %1").arg(parent->objectName());
        // Children later in the list lie above. One that covers the whole
        // control is a stack of alternatives, shown one at a time.
        const QObjectList &siblings = parent->children();
        for (qsizetype i = siblings.indexOf(widget) + 1; i < siblings.size(); ++i) {
            auto *sibling = qobject_cast<QWidget *>(siblings.at(i));
            if (!sibling || sibling->isWindow() || sibling->isHidden())
                continue;
            if (sibling->geometry().contains(widget->geometry()))
                continue;
            if (sibling->geometry().intersects(ink))
                return QStringLiteral("covered by %1 over %2 pixels")
                    .arg(sibling->objectName())
                    .arg(sibling->geometry().intersected(ink).width());
        }
        widget = parent;
    }
    return {};
}

} // namespace

class TestCaptionFit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void windowsUseTheDesignedFaceOrAStandIn();
    void captionFits_data();
    void captionFits();

private:
    std::unique_ptr<TestEnv> m_env;
};

void TestCaptionFit::initTestCase()
{
    m_env = std::make_unique<TestEnv>();
}

void TestCaptionFit::cleanupTestCase()
{
    m_env.reset();
}

void TestCaptionFit::windowsUseTheDesignedFaceOrAStandIn()
{
    // The layout was measured with the widths of the designed face; a face
    // of other widths cuts captions (DejaVu Sans is about 15 % wider).
    QStringList accepted = designedFaceStandIns();
    accepted.prepend(designedFace());
    for (TForm *form : registry().forms()) {
        QCOMPARE(form->font().family(), designedFace());
        const QString used = QFontInfo(form->font()).family();
        QVERIFY2(accepted.contains(used), qPrintable(form->objectName() + QStringLiteral(" is drawn in ") + used));
    }
}

void TestCaptionFit::captionFits_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("control");
    int captions = 0;
    for (TForm *form : registry().forms()) {
        for (QWidget *control : form->client()->findChildren<QWidget *>()) {
            if (!captionOf(control))
                continue;
            ++captions;
            const QString path = controlPath(control, form->client());
            QTest::addRow("%s/%s", qPrintable(form->objectName()), qPrintable(path)) << form->objectName() << path;
        }
    }
    QVERIFY2(captions > 0, "the walk finds the windows' captions");
}

void TestCaptionFit::captionFits()
{
    QFETCH(QString, form);
    QFETCH(QString, control);
    TForm *window = formNamed(form);
    QVERIFY(window);
    QWidget *widget = controlAt(window->client(), control);
    QVERIFY(widget);
    // Shown, the window has its client area laid out.
    window->show();
    const auto hide = qScopeGuard([window] { window->hide(); });
    const std::optional<Caption> caption = captionOf(widget);
    QVERIFY(caption);
    const QString cut = whatCuts(widget, window->client(), *caption);
    // The layout gives this label 144 pixels before its text box, a little
    // less than its caption takes in the face the layout was drawn with too.
    if (form == QStringLiteral("Form7") && control == QStringLiteral("Label5"))
        QEXPECT_FAIL("", "the designed layout cuts the last pixels of this caption", Continue);
    QVERIFY2(cut.isEmpty(), qPrintable(QStringLiteral("\"%1\" %2").arg(caption->text, cut)));
}

QTEST_MAIN(TestCaptionFit)
#include "tst_captionfit.moc"
