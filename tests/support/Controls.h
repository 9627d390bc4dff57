#pragma once

// Finds a window's control by its objectName; a missing control ends the
// test at once, naming it, instead of failing later on a null pointer. A
// drop-down list takes its entries in when found, as it does when a user
// first touches it (tst_startupcost checks what it shows before that).

#include "windowkit/EntryList.h"

#include <QLatin1String>
#include <QObject>
#include <QtGlobal>

template <typename T>
T *findControl(const QObject *window, const char *name)
{
    auto *control = window->findChild<T *>(QLatin1String(name));
    if (!control)
        qFatal("no control %s", name);
    if (auto *list = qobject_cast<windowkit::EntryList *>(control))
        list->takeEntries();
    return control;
}
