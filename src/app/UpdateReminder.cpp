#include "app/UpdateReminder.h"

#include "app/SettingCodec.h"
#include "platform/Desktop.h"
#include "windowkit/Site.h"

#include <QDate>
#include <QLocale>

namespace app {

namespace {

const int kQuietDays = 14;

bool storeToday(platform::Desktop &desktop)
{
    return desktop.writeSetting(QStringLiteral("Settings"), EncodeSetting(QStringLiteral("Duration")),
                                EncodeSetting(reminderDateText(desktop.today())));
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
    const QLocale locale;
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    QDate date = locale.toDate(text, format);
    if (!date.isValid() || format.contains(QStringLiteral("yyyy")) || !today.isValid())
        return date;
    // Short formats mostly carry two-digit years, which Qt reads as 19yy.
    const int centuries = (today.year() - 50 - date.year() + 99) / 100;
    if (centuries > 0)
        date = date.addYears(centuries * 100);
    return date;
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
