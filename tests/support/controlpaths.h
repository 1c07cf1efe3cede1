#pragma once
// Controls of the fifteen windows named by path, so that a table of cases can
// name each one: "Form10" and "Frame121/Button1" (names from the window's
// client area down; frames repeat the names of their controls).
#include "app/registry.h"
#include "platform/tform.h"

#include <QString>
#include <QStringList>
#include <QWidget>

namespace kv::test {

inline QString controlPath(const QWidget *control, const QWidget *client)
{
    QStringList names;
    for (const QWidget *w = control; w && w != client; w = w->parentWidget())
        names.prepend(w->objectName());
    return names.join(u'/');
}

inline QWidget *controlAt(QWidget *client, const QString &path)
{
    QWidget *widget = client;
    for (const QString &name : path.split(u'/'))
        widget = widget ? widget->findChild<QWidget *>(name, Qt::FindDirectChildrenOnly) : nullptr;
    return widget;
}

inline TForm *formNamed(const QString &name)
{
    for (TForm *form : registry().forms()) {
        if (form->objectName() == name)
            return form;
    }
    return nullptr;
}

} // namespace kv::test
