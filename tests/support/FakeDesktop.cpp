#include "FakeDesktop.h"

#include <QDialog>

platform::Answer FakeDesktop::message(const QString &text, platform::Icon icon,
                                      platform::Buttons buttons)
{
    messages.push_back({text, icon, buttons});
    events << QStringLiteral("message:") + text;
    return buttons == platform::Buttons::YesNo ? answer : platform::Answer::Ok;
}

int FakeDesktop::execModal(QDialog &dialog)
{
    events << QStringLiteral("modal");
    return onModal ? onModal(dialog) : int(QDialog::Rejected);
}

void FakeDesktop::openUrl(const QString &address)
{
    openedUrls << address;
    events << QStringLiteral("open:") + address;
}

void FakeDesktop::clearClipboard()
{
    ++clipboardClears;
    events << QStringLiteral("clipboard");
}

QString FakeDesktop::readSetting(const QString &section, const QString &key)
{
    return settings.value(section + u'/' + key);
}

bool FakeDesktop::writeSetting(const QString &section, const QString &key, const QString &value)
{
    events << QStringLiteral("write:") + section + u'/' + key + u'=' + value;
    if (!settingsWritable || writeFails)
        return false;
    settings.insert(section + u'/' + key, value);
    return true;
}

bool FakeDesktop::canWriteSettings()
{
    return settingsWritable;
}

bool FakeDesktop::claimSingleInstance()
{
    return !anotherInstanceRunning;
}

QDate FakeDesktop::today()
{
    return date;
}

void FakeDesktop::seedRandom()
{
    ++seeds;
}

double FakeDesktop::random()
{
    if (draws.empty())
        return 0.0;
    const double r = draws.front();
    draws.erase(draws.begin());
    return r;
}

QStringList FakeDesktop::messageTexts() const
{
    QStringList texts;
    for (const Message &m : messages)
        texts << m.text;
    return texts;
}
