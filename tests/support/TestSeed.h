#pragma once

// The seed of the randomised tests: fixed, so every run draws the same
// inputs, unless QUENLORY_TEST_SEED names another. Failure messages carry
// it, so a failing draw can be replayed with that variable.

#include <QByteArray>
#include <QRandomGenerator>
#include <QtGlobal>

inline quint32 testSeed()
{
    bool ok = false;
    const quint32 seed = qEnvironmentVariable("QUENLORY_TEST_SEED").toUInt(&ok);
    return ok ? seed : 20261207u;
}

inline QByteArray seedNote(quint32 seed)
{
    return " (seed " + QByteArray::number(seed) + ", replay with QUENLORY_TEST_SEED="
        + QByteArray::number(seed) + ")";
}
