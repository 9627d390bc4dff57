#include "platform/QtDesktop.h"

#include "platform/ExecutableName.h"
#include "platform/InstanceGuard.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDesktopServices>
#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QSettings>
#include <QTimer>
#include <QUrl>

#ifdef Q_OS_WIN
#include <windows.h>
#include <shellapi.h>
#endif

namespace platform {

namespace {

std::unique_ptr<QSettings> openSettings(const QString &file)
{
    if (!file.isEmpty())
        return std::make_unique<QSettings>(file, QSettings::IniFormat);
    const QString name = executableName();
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, name, name);
}

// A Yes/No question has no cancel button, so Esc and the close box do not
// answer it (Qt would take them for No): the box stays until Yes or No.
class AnswerRequired : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Close) {
            event->ignore();
            return true;
        }
        if (event->type() == QEvent::KeyPress)
            return static_cast<QKeyEvent *>(event)->matches(QKeySequence::Cancel);
        return false;
    }
};

} // namespace

QtDesktop::QtDesktop(QString settingsFile)
    : m_settingsFile(std::move(settingsFile))
{
}

QtDesktop::~QtDesktop() = default;

Answer QtDesktop::message(const QString &text, Icon icon, Buttons buttons)
{
    // The box belongs to the window it speaks for, so it stays in front of
    // that window; at start-up there is none and the box stands alone. Either
    // way it is kept above all windows and activated: a box of a second copy
    // would otherwise open under the first copy's exit screen, which is kept
    // above the others, and wait there unseen.
    QMessageBox box(icon == Icon::Critical ? QMessageBox::Critical : QMessageBox::Information,
                    QStringLiteral("Quenlory"), text,
                    buttons == Buttons::YesNo ? QMessageBox::Yes | QMessageBox::No
                                              : QMessageBox::Ok,
                    QApplication::activeWindow(),
                    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint);
    AnswerRequired answerRequired;
    if (buttons == Buttons::YesNo)
        box.installEventFilter(&answerRequired);
    QTimer::singleShot(0, &box, [&box] {
        box.raise();
        box.activateWindow();
    });
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

ShellOpen shellOpenFor(const QString &address)
{
    // 1 is SW_SHOWNORMAL: the browser's window activated and shown normally.
    return {QByteArrayLiteral("Open"), address.toLocal8Bit(), QByteArrayLiteral("C:\\"), 1};
}

void QtDesktop::openUrl(const QString &address)
{
#ifdef Q_OS_WIN
    static_assert(SW_SHOWNORMAL == 1, "the opener shows the browser normally");
    const ShellOpen open = shellOpenFor(address);
    ShellExecuteA(nullptr, open.operation.constData(), open.file.constData(), nullptr,
                  open.directory.constData(), open.show);
#else
    QDesktopServices::openUrl(QUrl(address));
#endif
}

void QtDesktop::clearClipboard()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return;
    clipboard->clear();
    // X11's selection, which a middle click pastes, holds what the mouse
    // selected in this program: emptied too, when it is this program's.
    if (clipboard->supportsSelection() && clipboard->ownsSelection())
        clipboard->clear(QClipboard::Selection);
}

QString QtDesktop::readSetting(const QString &section, const QString &key)
{
    const auto settings = openSettings(m_settingsFile);
    return settings->value(section + u'/' + key).toString();
}

bool QtDesktop::writeSetting(const QString &section, const QString &key, const QString &value)
{
    const QString path = section + u'/' + key;
    {
        const auto settings = openSettings(m_settingsFile);
        // Nothing at all is written to a store that cannot take the value,
        // so whatever else it holds stays as it is.
        if (!settings->isWritable())
            return false;
        settings->setValue(path, value);
        // Writing the whole file also drops lines it could not read.
        settings->sync();
    }
    // The writer's status still carries a malformed line it read before the
    // write, so the write is judged on its own: read back afresh, the store
    // must read cleanly (a successful write has replaced the malformed
    // line) and hold the value.
    const auto check = openSettings(m_settingsFile);
    return check->status() == QSettings::NoError && check->value(path).toString() == value;
}

bool QtDesktop::canWriteSettings()
{
    return openSettings(m_settingsFile)->isWritable();
}

bool QtDesktop::claimSingleInstance()
{
    if (!m_instanceGuard)
        m_instanceGuard = std::make_unique<InstanceGuard>(InstanceGuard::defaultName());
    return m_instanceGuard->claim() != InstanceGuard::Claim::AnotherRuns;
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
