#pragma once

// Finds a window's control by its objectName; a missing control ends the
// test at once, naming it, instead of failing later on a null pointer.

#include <QLatin1String>
#include <QObject>
#include <QtGlobal>

template <typename T>
T *findControl(const QObject *window, const char *name)
{
    auto *control = window->findChild<T *>(QLatin1String(name));
    if (!control)
        qFatal("no control %s", name);
    return control;
}
