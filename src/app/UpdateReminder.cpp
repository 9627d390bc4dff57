#include "app/UpdateReminder.h"

#include "app/SettingCodec.h"
#include "platform/Desktop.h"
#include "windowkit/Site.h"

#include <QDate>
#include <QLocale>
#include <QRegularExpression>

#include <utility>

namespace app {

namespace {

const int kQuietDays = 14;

bool storeToday(platform::Desktop &desktop)
{
    return desktop.writeSetting(QStringLiteral("Settings"), EncodeSetting(QStringLiteral("Duration")),
                                EncodeSetting(reminderDateText(desktop.today())));
}

// A two-digit year read as the year within fifty years of today, as users
// mean the short dates their systems write ("00" is 2000 in 2026).
int fullYear(int twoDigits, const QDate &today)
{
    int year = 1900 + twoDigits;
    if (!today.isValid())
        return year;
    const int centuries = (today.year() - 50 - year + 99) / 100;
    if (centuries > 0)
        year += centuries * 100;
    return year;
}

// The short format with its two-digit year field made a four-digit one,
// and the text with that year written out in full, so that the century is
// known before the date is checked: 29 February of "00" is a date in 2000,
// but none in 1900. Empty when the text is not of the format.
std::pair<QString, QString> withFullYear(const QString &text, const QString &format, const QDate &today)
{
    // The fields of Qt's date formats and the quoted literals between them.
    static const QRegularExpression field(QStringLiteral("'[^']*'|d{1,4}|M{1,4}|y{1,4}"));
    QString pattern = QStringLiteral("^");
    QString fullFormat;
    int yearGroup = 0;
    int groups = 0;
    int at = 0;
    for (auto it = field.globalMatch(format); it.hasNext();) {
        const QRegularExpressionMatch token = it.next();
        pattern += QRegularExpression::escape(format.mid(at, token.capturedStart() - at));
        fullFormat += format.mid(at, token.capturedStart() - at);
        at = token.capturedEnd();
        const QString name = token.captured();
        if (name.startsWith(u'\'')) {
            pattern += QRegularExpression::escape(name.mid(1, name.size() - 2));
            fullFormat += name;
            continue;
        }
        ++groups;
        if (name == QLatin1String("yy")) {
            yearGroup = groups;
            pattern += QStringLiteral("(\\d{2})");
            fullFormat += QStringLiteral("yyyy");
        } else {
            pattern += name.size() > 2 ? QStringLiteral("(.+?)") : QStringLiteral("(\\d{1,2})");
            fullFormat += name;
        }
    }
    pattern += QRegularExpression::escape(format.mid(at)) + u'$';
    fullFormat += format.mid(at);
    const QRegularExpressionMatch parts = QRegularExpression(pattern).match(text);
    if (yearGroup == 0 || !parts.hasMatch())
        return {};
    QString fullText = text;
    fullText.replace(parts.capturedStart(yearGroup), 2,
                     QString::number(fullYear(parts.captured(yearGroup).toInt(), today)));
    return {fullText, fullFormat};
}

} // namespace

QString reminderDateText(const QDate &date)
{
    return date.toString(Qt::ISODate);
}

QDate parseReminderDate(const QString &text, const QDate &today)
{
    // Qt::ISODate would read only the first ten characters and take
    // "2026-06-15" followed by anything as that date.
    const QDate iso = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    if (iso.isValid())
        return iso;
    // Short formats mostly carry two-digit years, which Qt would read as 19yy.
    const QLocale locale;
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    const auto [fullText, fullFormat] = withFullYear(text, format, today);
    if (!fullFormat.isEmpty())
        return locale.toDate(fullText, fullFormat);
    return locale.toDate(text, format);
}

void UpdateReminder(platform::Desktop &desktop)
{
    const QString stored = DecodeSetting(
        desktop.readSetting(QStringLiteral("Settings"), EncodeSetting(QStringLiteral("Duration"))));
    if (stored.isEmpty()) {
        storeToday(desktop);
        return;
    }

    const QDate today = desktop.today();
    const QDate storedDate = parseReminderDate(stored, today);
    if (!storedDate.isValid())
        return;
    const qint64 days = today.daysTo(storedDate);
    if (days >= -kQuietDays && days <= kQuietDays)
        return;

    // An answer that could not be stored would bring the same question back
    // at every start; a store that cannot be written is not asked about.
    if (!desktop.canWriteSettings())
        return;
    const platform::Answer answer = desktop.message(
        QStringLiteral("There maybe an update to this software available") + u'\n'
            + QStringLiteral("Do you want to check for an update?"),
        platform::Icon::Information, platform::Buttons::YesNo);
    if (!storeToday(desktop))
        return;
    if (answer == platform::Answer::Yes)
        windowkit::OpenSiteLink(desktop, windowkit::kDownloadPage);
}

} // namespace app
