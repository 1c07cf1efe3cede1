// The program's own pictures: on a desktop without an icon theme every menu
// item and toolbar button that shows a picture still shows one, drawn by the
// program; and the application icon is there.
#include "app/registry.h"
#include "platform/tform.h"
#include "support/testenv.h"
#include "windows/main/mainwindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QIcon>
#include <QImage>
#include <QMenu>
#include <QTest>

using namespace kv;
using kv::test::TestEnv;

namespace {

// Whether a picture shows something: some pixel is not transparent.
bool shows(const QIcon &icon)
{
    const QImage image = icon.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 0)
                return true;
        }
    }
    return false;
}

} // namespace

class TestPictures : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void menuAndToolbarShowPicturesWithoutATheme();
    void applicationIcon();
};

void TestPictures::initTestCase()
{
    // No icon theme at all: every picture must come from the program.
    QIcon::setThemeSearchPaths({});
    QIcon::setFallbackSearchPaths({});
    QIcon::setThemeName(QStringLiteral("none"));
}

void TestPictures::menuAndToolbarShowPicturesWithoutATheme()
{
    TestEnv env;
    QStringList without;
    int pictures = 0;
    // Every menu item but the menu titles, the separators, "Новый..." and
    // "О программе..." carries a picture; so does every toolbar button.
    for (const QAction *item : registry().Form1->findChildren<QAction *>()) {
        if (item->menu() || item->isSeparator() || item->text().isEmpty()
            || item->text() == QStringLiteral("Новый...") || item->text() == QStringLiteral("О программе..."))
            continue;
        ++pictures;
        if (!shows(item->icon()))
            without.append(item->text());
    }
    for (const char *name : {"BitBtn1", "BitBtn2", "BitBtn3", "BitBtn4", "BitBtn8", "BitBtn9", "BitBtn10"}) {
        const auto *button = registry().Form1->findChild<QAbstractButton *>(QString::fromLatin1(name));
        QVERIFY2(button, name);
        ++pictures;
        if (!shows(button->icon()))
            without.append(QString::fromLatin1(name));
    }
    QVERIFY(pictures > 40);
    QVERIFY2(without.isEmpty(), qPrintable(without.join(QStringLiteral(", "))));
}

void TestPictures::applicationIcon()
{
    const QImage icon(QStringLiteral(":/resources/kvarnis.png"));
    QCOMPARE(icon.size(), QSize(256, 256));
    QVERIFY(icon.hasAlphaChannel());
}

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
