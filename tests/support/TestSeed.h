#pragma once

// The seed of the randomised tests: fixed, so every run draws the same
// inputs, unless QUENLORY_TEST_SEED names another. Failure messages carry
// it, so a failing draw can be replayed with that variable.

#include <QByteArray>
#include <QString>
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

// Any UTF-16 code unit, lone surrogates included, with Latin-1 and the
// codes around the shift's limits drawn more often.
inline QString randomCodeUnits(QRandomGenerator &random, int maxLength)
{
    const int length = int(random.bounded(maxLength + 1));
    QString text;
    text.reserve(length);
    for (int i = 0; i < length; ++i) {
        switch (random.bounded(4)) {
        case 0:
            text.append(QChar(char16_t(random.bounded(0x100))));
            break;
        case 1:
            text.append(QChar(char16_t(80 + random.bounded(100))));
            break;
        case 2:
            text.append(QChar(char16_t(random.bounded(0x10000))));
            break;
        default:
            text.append(QChar(char16_t(0x100 + random.bounded(0x700))));
            break;
        }
    }
    return text;
}

// The characters of the text whose codes lie from low to high, in their order.
inline QString keptCodes(const QString &text, int low, int high)
{
    QString kept;
    for (const QChar c : text) {
        if (c.unicode() >= low && c.unicode() <= high)
            kept.append(c);
    }
    return kept;
}
