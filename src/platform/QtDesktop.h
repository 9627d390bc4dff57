#pragma once

#include "platform/Desktop.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <random>

namespace platform {

class InstanceGuard;

// What the browser opener hands Windows' shell for a page: the verb, the
// document, no parameters, the working folder and how its window is shown.
struct ShellOpen {
    QByteArray operation;
    QByteArray file;
    QByteArray directory;
    int show = 0;
};

ShellOpen shellOpenFor(const QString &address);

class QtDesktop final : public Desktop
{
public:
    // settingsFile empty: the platform's own per-user store for this program.
    explicit QtDesktop(QString settingsFile = QString());
    ~QtDesktop() override;

    Answer message(const QString &text, Icon icon, Buttons buttons) override;
    int execModal(QDialog &dialog) override;
    void openUrl(const QString &address) override;
    void clearClipboard() override;
    QString readSetting(const QString &section, const QString &key) override;
    bool writeSetting(const QString &section, const QString &key, const QString &value) override;
    bool canWriteSettings() override;
    // False only when another live copy holds the guard; a guard that cannot
    // be made at all does not stop the program.
    bool claimSingleInstance() override;
    QDate today() override;
    void seedRandom() override;
    double random() override;

private:
    QString m_settingsFile;
    std::unique_ptr<InstanceGuard> m_instanceGuard;
    std::mt19937 m_random;
};

} // namespace platform
