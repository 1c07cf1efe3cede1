#include "systeminfo.h"

#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QRegularExpression>
#include <QScreen>
#include <QSysInfo>
#include <QThread>

#ifdef Q_OS_WIN
#include <QSettings>
#include <windows.h>
#endif

namespace tavrel {
namespace {

QString unknown()
{
    return QStringLiteral("нет сведений");
}

// The value of the first "key : value" line of a /proc file whose key is one of `keys`.
QString procValue(const QString &file, const QStringList &keys)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    const QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n');
    for (const QString &key : keys) {
        for (const QString &line : lines) {
            const qsizetype colon = line.indexOf(u':');
            if (colon > 0 && line.left(colon).trimmed() == key)
                return line.mid(colon + 1).trimmed();
        }
    }
    return {};
}

QString processorModel()
{
#ifdef Q_OS_WIN
    const QSettings cpu(QStringLiteral("HKEY_LOCAL_MACHINE\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0"),
                        QSettings::NativeFormat);
    const QString name = cpu.value(QStringLiteral("ProcessorNameString")).toString().simplified();
#else
    const QString name = procValue(QStringLiteral("/proc/cpuinfo"),
                                   {QStringLiteral("model name"), QStringLiteral("Model"), QStringLiteral("Hardware"),
                                    QStringLiteral("cpu model"), QStringLiteral("cpu")}).simplified();
#endif
    return name.isEmpty() ? unknown() : name;
}

struct Memory
{
    quint64 total = 0;
    quint64 available = 0;
};

Memory memory()
{
    Memory m;
#ifdef Q_OS_WIN
    MEMORYSTATUSEX status;
    status.dwLength = sizeof status;
    if (GlobalMemoryStatusEx(&status)) {
        m.total = status.ullTotalPhys;
        m.available = status.ullAvailPhys;
    }
#else
    // /proc/meminfo counts in kibibytes: "MemTotal:  16254012 kB".
    const auto kib = [](const QString &value) { return value.section(u' ', 0, 0).toULongLong() * 1024; };
    m.total = kib(procValue(QStringLiteral("/proc/meminfo"), {QStringLiteral("MemTotal")}));
    m.available = kib(procValue(QStringLiteral("/proc/meminfo"), {QStringLiteral("MemAvailable"), QStringLiteral("MemFree")}));
#endif
    return m;
}

} // namespace

QString sizeText(quint64 bytes)
{
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    const double kib = 1024.0;
    if (bytes < 1024)
        return QStringLiteral("%1 байт").arg(bytes);
    if (bytes < 1024 * 1024)
        return QStringLiteral("%1 КБ").arg(russian.toString(bytes / kib, 'f', 1));
    if (bytes < quint64(1024) * 1024 * 1024)
        return QStringLiteral("%1 МБ").arg(russian.toString(bytes / (kib * kib), 'f', 1));
    return QStringLiteral("%1 ГБ").arg(russian.toString(bytes / (kib * kib * kib), 'f', 1));
}

QList<Group> systemInformation()
{
    QList<Group> groups;

    groups.append({QStringLiteral("Операционная система"),
                   {{QStringLiteral("Название"), QSysInfo::prettyProductName()},
                    {QStringLiteral("Ядро"), QSysInfo::kernelType() + u' ' + QSysInfo::kernelVersion()},
                    {QStringLiteral("Имя компьютера"), QSysInfo::machineHostName()}}});

    groups.append({QStringLiteral("Процессор"),
                   {{QStringLiteral("Модель"), processorModel()},
                    {QStringLiteral("Архитектура"), QSysInfo::currentCpuArchitecture()},
                    {QStringLiteral("Логических процессоров"), QString::number(QThread::idealThreadCount())}}});

    const Memory m = memory();
    groups.append({QStringLiteral("Память"),
                   {{QStringLiteral("Всего"), m.total ? sizeText(m.total) : unknown()},
                    {QStringLiteral("Свободно"), m.total ? sizeText(m.available) : unknown()}}});

    Group screens{QStringLiteral("Экран"), {}};
    const QList<QScreen *> all = qobject_cast<QGuiApplication *>(QCoreApplication::instance()) ? QGuiApplication::screens()
                                                                                                : QList<QScreen *>();
    for (qsizetype i = 0; i < all.size(); ++i) {
        const QScreen *s = all.at(i);
        const QSize pixels = s->size() * s->devicePixelRatio();
        const QString name = s->name().isEmpty() ? QString() : QStringLiteral(" (%1)").arg(s->name());
        screens.entries.append({QStringLiteral("Экран %1%2").arg(i + 1).arg(name),
                                QStringLiteral("%1 × %2 точек").arg(pixels.width()).arg(pixels.height())});
        screens.entries.append({QStringLiteral("Глубина цвета"), QStringLiteral("%1 бит на точку").arg(s->depth())});
        screens.entries.append({QStringLiteral("Плотность"), QStringLiteral("%1 точек на дюйм").arg(qRound(s->logicalDotsPerInch()))});
        if (s->refreshRate() > 0)
            screens.entries.append({QStringLiteral("Частота обновления"), QStringLiteral("%1 Гц").arg(qRound(s->refreshRate()))});
    }
    if (screens.entries.isEmpty())
        screens.entries.append({QStringLiteral("Экран"), unknown()});
    groups.append(screens);

    return groups;
}

QString reportText(const QList<Group> &groups)
{
    QString text;
    for (const Group &group : groups) {
        text += group.title + u'\n';
        for (const Entry &entry : group.entries)
            text += QStringLiteral("  %1: %2\n").arg(entry.name, entry.value);
    }
    return text;
}

} // namespace tavrel
