#pragma once

// The refer-a-friend form of the exit screen, without its widgets: the five
// typed values, the checks that refuse them (in order, one message), and the
// address of the referral page that carries them.

#include <QString>

namespace exitscreen {

inline const QString kNamePlaceholder = QStringLiteral("Your Name");
inline const QString kEmailPlaceholder = QStringLiteral("Your Email Address");
inline const QString kFriendNamePlaceholder = QStringLiteral("Friend's Name");
inline const QString kFriendEmailPlaceholder = QStringLiteral("Friend's Email Address");
inline const QString kMessagePlaceholder = QStringLiteral("Your Message");

struct Referral
{
    QString name;
    QString email;
    QString message;
    QString friendName;
    QString friendEmail;
};

// Leading and trailing blanks (U+0020) removed; other white space stays.
QString trimBlanks(const QString &text);

// The five texts as the boxes hold them, each trimmed of blanks.
Referral trimmedReferral(const Referral &typed);

// The message that refuses the (trimmed) values, or empty text when they pass.
QString referralProblem(const Referral &values);

// UTF-8 with every byte outside the unreserved characters (letters, digits,
// "-", ".", "_", "~") as %XX.
QString percentEncoded(const QString &text);

// The referral page's address with taf1..taf5 carrying the five values,
// encoded, and taf6 the program's own page.
QString referralAddress(const Referral &values);

} // namespace exitscreen
