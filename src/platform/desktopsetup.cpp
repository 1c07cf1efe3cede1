#include "platform/desktopsetup.h"

#include <QCoreApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

namespace kv {

QString designedFace()
{
    return QStringLiteral("MS Sans Serif");
}

QStringList designedFaceStandIns()
{
    // Liberation Sans (Debian's fonts-liberation2) and Arimo have the widths
    // of Arial, which is what the windows' layout was measured with; Arial
    // itself where it is installed.
    return {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("Arial")};
}

void substituteDesignedFace()
{
    const QString face = designedFace();
    const QStringList standIns = designedFaceStandIns();
    if (QFont::substitutes(face) != standIns) {
        QFont::removeSubstitutions(face);
        QFont::insertSubstitutions(face, standIns);
    }
}

bool loadQtTranslation()
{
    QCoreApplication *application = QCoreApplication::instance();
    if (!application)
        return false;
    const QString name = QStringLiteral("qtbase_ru");
    if (application->findChild<QTranslator *>(name, Qt::FindDirectChildrenOnly))
        return true;
    auto *translator = new QTranslator(application);
    translator->setObjectName(name);
    if (!translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

void setUpDesktop()
{
    substituteDesignedFace();
    loadQtTranslation();
}

} // namespace kv
