#include "exitscreen/Referral.h"

#include "windowkit/Site.h"

#include <QUrl>

namespace exitscreen {

QString trimBlanks(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == u' ')
        ++first;
    while (last > first && text.at(last - 1) == u' ')
        --last;
    return text.mid(first, last - first);
}

Referral trimmedReferral(const Referral &typed)
{
    return {trimBlanks(typed.name), trimBlanks(typed.email), trimBlanks(typed.message),
            trimBlanks(typed.friendName), trimBlanks(typed.friendEmail)};
}

QString referralProblem(const Referral &values)
{
    const auto missing = [](const QString &value, const QString &placeholder) {
        return value.isEmpty() || value == placeholder;
    };
    if (values.email == values.friendEmail)
        return QStringLiteral("Please Enter Distinct Email Addresses");
    if (!values.email.contains(u'@') || !values.friendEmail.contains(u'@'))
        return QStringLiteral("Please Enter Proper Email Address");
    if (!values.email.contains(u'.') || !values.friendEmail.contains(u'.'))
        return QStringLiteral("Please Enter Proper Email Address");
    if (missing(values.name, kNamePlaceholder))
        return QStringLiteral("Please Enter Your Name");
    if (missing(values.email, kEmailPlaceholder))
        return QStringLiteral("Please Enter Your Email");
    if (missing(values.message, kMessagePlaceholder))
        return QStringLiteral("Please Enter Your Message");
    if (missing(values.friendName, kFriendNamePlaceholder))
        return QStringLiteral("Please Enter Your Friend's Name");
    if (missing(values.friendEmail, kFriendEmailPlaceholder))
        return QStringLiteral("Please Enter Your Friend's Email");
    return QString();
}

QString percentEncoded(const QString &text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

QString referralAddress(const Referral &values)
{
    // Each value is encoded so that a typed "&", "=" or "#" stays inside its
    // own parameter instead of forging or cutting off the next one.
    return windowkit::pageAddress(windowkit::kReferralPage)
        + QStringLiteral("&taf1=") + percentEncoded(values.name)
        + QStringLiteral("&taf2=") + percentEncoded(values.email)
        + QStringLiteral("&taf3=") + percentEncoded(values.message)
        + QStringLiteral("&taf4=") + percentEncoded(values.friendName)
        + QStringLiteral("&taf5=") + percentEncoded(values.friendEmail)
        + QStringLiteral("&taf6=") + windowkit::programPageAddress();
}

} // namespace exitscreen
