#include "platform/QtDesktop.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLockFile>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>

#ifdef Q_OS_WIN
#include <windows.h>
#include <shellapi.h>
#endif

namespace platform {

namespace {

// The settings store and the instance lock are named after the executable,
// so a renamed copy keeps its own reminder date.
QString programName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

std::unique_ptr<QSettings> openSettings(const QString &file)
{
    if (!file.isEmpty())
        return std::make_unique<QSettings>(file, QSettings::IniFormat);
    const QString name = programName();
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, name, name);
}

} // namespace

QtDesktop::QtDesktop(QString settingsFile)
    : m_settingsFile(std::move(settingsFile))
{
}

QtDesktop::~QtDesktop() = default;

Answer QtDesktop::message(const QString &text, Icon icon, Buttons buttons)
{
    // The box belongs to the window it speaks for, so it stays in front of
    // that window even when the window is kept above all others (the exit
    // screen); at start-up there is none and the box stands alone.
    QMessageBox box(icon == Icon::Critical ? QMessageBox::Critical : QMessageBox::Information,
                    QStringLiteral("Quenlory"), text,
                    buttons == Buttons::YesNo ? QMessageBox::Yes | QMessageBox::No
                                              : QMessageBox::Ok,
                    QApplication::activeWindow());
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Ok;
    }
}

int QtDesktop::execModal(QDialog &dialog)
{
    return dialog.exec();
}

void QtDesktop::openUrl(const QString &address)
{
#ifdef Q_OS_WIN
    const QByteArray file = address.toLocal8Bit();
    ShellExecuteA(nullptr, "Open", file.constData(), nullptr, "C:\\", SW_SHOWNORMAL);
#else
    QDesktopServices::openUrl(QUrl(address));
#endif
}

void QtDesktop::clearClipboard()
{
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->clear();
}

QString QtDesktop::readSetting(const QString &section, const QString &key)
{
    const auto settings = openSettings(m_settingsFile);
    return settings->value(section + u'/' + key).toString();
}

bool QtDesktop::writeSetting(const QString &section, const QString &key, const QString &value)
{
    const auto settings = openSettings(m_settingsFile);
    settings->setValue(section + u'/' + key, value);
    settings->sync();
    return settings->status() == QSettings::NoError;
}

bool claimInstanceLock(QLockFile &lock)
{
    // Only a dead owner makes the lock stale: a copy that has run for hours
    // still holds it.
    lock.setStaleLockTime(0);
    return lock.tryLock(0) || lock.error() != QLockFile::LockFailedError;
}

bool QtDesktop::claimSingleInstance()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    QString name = programName();
    if (dir.isEmpty()) {
        // The temporary folder is shared by every user of the machine.
        dir = QDir::tempPath();
        name += u'-' + QDir::home().dirName();
    }
    m_instanceLock = std::make_unique<QLockFile>(dir + u'/' + name + QStringLiteral(".lock"));
    return claimInstanceLock(*m_instanceLock);
}

QDate QtDesktop::today()
{
    return QDate::currentDate();
}

void QtDesktop::seedRandom()
{
    m_random.seed(static_cast<std::mt19937::result_type>(QDateTime::currentMSecsSinceEpoch()));
}

double QtDesktop::random()
{
    // 32 random bits over 2^32: never reaches 1.
    return m_random() / 4294967296.0;
}

} // namespace platform
