#include "mainwindow/TestRun.h"

#include "core/ChildProfiles.h"
#include "core/SunSign.h"

namespace mainwindow {

namespace {

void storeSign(std::string &stored, int month, int day)
{
    core::SunSign sign = core::SunSignForDate(month, day);
    if (!sign.empty())
        stored = std::move(sign);
}

std::optional<QString> profileOf(const std::string &sign)
{
    const std::optional<std::string_view> profile = core::ChildProfileFor(sign);
    if (!profile)
        return std::nullopt;
    return QString::fromUtf8(profile->data(), qsizetype(profile->size()));
}

} // namespace

windowkit::ResultValues workOutResult(core::RelationCompatibility &shared, int month, int day,
                                          int siblingMonth, int siblingDay)
{
    windowkit::ResultValues values;
    storeSign(shared.YourSunSign, month, day);
    storeSign(shared.YourSiblingSunSign, siblingMonth, siblingDay);
    shared.GetRelationCompatibility();
    values.yourSunSign = QString::fromStdString(shared.YourSunSign);
    values.yourProfile = profileOf(shared.YourSunSign);
    values.yourSiblingSunSign = QString::fromStdString(shared.YourSiblingSunSign);
    values.yourSiblingProfile = profileOf(shared.YourSiblingSunSign);
    values.pairSentence = QString::fromStdString(shared.PairSentence);
    values.levelSentence = QString::fromStdString(shared.LevelSentence);
    return values;
}

} // namespace mainwindow
