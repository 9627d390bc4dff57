#include "FakeDesktop.h"

#include <QDialog>

#include <stdexcept>

platform::Answer FakeDesktop::message(const QString &text, platform::Icon icon,
                                      platform::Buttons buttons)
{
    called("message");
    messages.push_back({text, icon, buttons});
    events << QStringLiteral("message:") + text;
    return buttons == platform::Buttons::YesNo ? answer : platform::Answer::Ok;
}

int FakeDesktop::execModal(QDialog &dialog)
{
    called("modal");
    events << QStringLiteral("modal");
    return onModal ? onModal(dialog) : int(QDialog::Rejected);
}

void FakeDesktop::openUrl(const QString &address)
{
    called("open");
    openedUrls << address;
    events << QStringLiteral("open:") + address;
}

void FakeDesktop::clearClipboard()
{
    called("clipboard");
    ++clipboardClears;
    events << QStringLiteral("clipboard");
}

QString FakeDesktop::readSetting(const QString &section, const QString &key)
{
    called("read");
    return settings.value(section + u'/' + key);
}

bool FakeDesktop::writeSetting(const QString &section, const QString &key, const QString &value)
{
    called("write");
    events << QStringLiteral("write:") + section + u'/' + key + u'=' + value;
    if (!settingsWritable || writeFails)
        return false;
    settings.insert(section + u'/' + key, value);
    return true;
}

bool FakeDesktop::canWriteSettings()
{
    called("canWrite");
    return settingsWritable;
}

bool FakeDesktop::claimSingleInstance()
{
    called("claim");
    return !anotherInstanceRunning;
}

QDate FakeDesktop::today()
{
    called("today");
    return date;
}

void FakeDesktop::seedRandom()
{
    called("seed");
    ++seeds;
}

double FakeDesktop::random()
{
    called("draw");
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

void FakeDesktop::called(const char *kind)
{
    const QString name = QString::fromLatin1(kind);
    if (onCall)
        onCall(name);
    if (name == failOn)
        throw std::runtime_error(kind);
}
