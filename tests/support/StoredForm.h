#pragma once

// The reminder's entry as it lies in users' settings stores, spelled out
// character by character rather than made with the program's own encoder, so
// that a change to the stored form, which would lose every entry already on a
// disk, fails the tests that read or write it.

#include <QString>
#include <QtTest>

// "Duration" as stored: the key of the reminder's date in the section Settings.
inline QString storedKeyName()
{
    return QString::fromUtf16(u"\u0099\u00CA\u00C7\u00B6\u00C9\u00BE\u00C4\u00C3");
}

inline QString storedEntryKey()
{
    return QStringLiteral("Settings/") + storedKeyName();
}

// A text of digits, date separators, blanks and small letters as stored.
inline QString storedForm(const QString &plain)
{
    static const QString from = QStringLiteral("0123456789-./: abcdefghijklmnopqrstuvwxyz");
    static const QString to = QString::fromUtf16(
        u"\u0085\u0086\u0087\u0088\u0089\u008A\u008B\u008C\u008D\u008E"   // 0 to 9
        u"\u0082\u0083\u0084\u008F"                                        // - . / :
        u"u"                                                               // blank
        u"\u00B6\u00B7\u00B8\u00B9\u00BA\u00BB\u00BC\u00BD\u00BE\u00BF\u00C0\u00C1\u00C2"
        u"\u00C3\u00C4\u00C5\u00C6\u00C7\u00C8\u00C9\u00CA\u00CB\u00CC\u00CD\u00CE\u00CF");
    QString stored;
    for (const QChar c : plain) {
        const int at = from.indexOf(c);
        if (at < 0)
            qFatal("storedForm: no stored form for '%c' in the table", char(c.unicode()));
        stored.append(to.at(at));
    }
    return stored;
}
