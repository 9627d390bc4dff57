#pragma once

// A recording stand-in for the desktop: message boxes answer at once with a
// preset answer, pages and clipboard clears are only counted, settings live
// in a map, the date and the draws are whatever the test sets. Every call
// can be watched, and one kind of call made to fail.

#include "platform/Desktop.h"

#include <QDate>
#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class FakeDesktop : public platform::Desktop
{
public:
    struct Message {
        QString text;
        platform::Icon icon;
        platform::Buttons buttons;
    };

    platform::Answer message(const QString &text, platform::Icon icon,
                             platform::Buttons buttons = platform::Buttons::Ok) override;
    int execModal(QDialog &dialog) override;
    void openUrl(const QString &address) override;
    void clearClipboard() override;
    QString readSetting(const QString &section, const QString &key) override;
    bool writeSetting(const QString &section, const QString &key, const QString &value) override;
    bool canWriteSettings() override;
    bool claimSingleInstance() override;
    QDate today() override;
    void seedRandom() override;
    double random() override;

    // What happened, in order: "message:<text>", "open:<address>",
    // "write:<section>/<key>=<value>", "clipboard", "modal".
    QStringList events;
    std::vector<Message> messages;
    QStringList openedUrls;
    int clipboardClears = 0;
    int seeds = 0;

    platform::Answer answer = platform::Answer::Ok;   // given to Yes/No questions
    QMap<QString, QString> settings;                  // "section/key" -> value
    bool settingsWritable = true;
    bool writeFails = false;                          // though the store seemed writable
    bool anotherInstanceRunning = false;
    QDate date = QDate(2026, 6, 15);
    std::vector<double> draws;                        // taken front first; 0 when empty
    // Called instead of running a dialog's own event loop; the default
    // records the dialog and returns QDialog::Rejected at once.
    std::function<int(QDialog &)> onModal;
    // Told of every call before it is made, by its kind: "claim", "seed",
    // "read", "write", "canWrite", "message", "modal", "open", "clipboard",
    // "today" or "draw".
    std::function<void(const QString &)> onCall;
    // Calls of this kind throw, as a failing desktop would.
    QString failOn;

    QStringList messageTexts() const;

private:
    void called(const char *kind);
};
