#pragma once

// The start-up reminder that an update may be available: at most once in
// fifteen days, counted from the date kept in the settings store.

#include <QDate>
#include <QString>

namespace platform {
class Desktop;
}

namespace app {

// The stored date is written as yyyy-MM-dd; read back as that first and then
// in the user's short date format, so an entry survives a change of regional
// settings. A two-digit year is taken in the century around today. An
// invalid date when the text reads as no date.
QString reminderDateText(const QDate &date);
QDate parseReminderDate(const QString &text, const QDate &today);

void UpdateReminder(platform::Desktop &desktop);

} // namespace app
