#include "platform/InstanceGuard.h"

#include "platform/ExecutableName.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace platform {

InstanceGuard::InstanceGuard(QString name)
    : m_name(std::move(name))
{
}

InstanceGuard::~InstanceGuard()
{
    release();
}

QString InstanceGuard::defaultName()
{
    const QString program = executableName();
#ifdef Q_OS_WIN
    return mutexName(program);
#else
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!dir.isEmpty())
        return dir + u'/' + program + QStringLiteral(".lock");
    // The temporary folder is shared by every user of the machine.
    return QDir::tempPath() + u'/' + program + u'-' + QDir::home().dirName() + QStringLiteral(".lock");
#endif
}

QString InstanceGuard::mutexName(const QString &program)
{
    // Qt's runtime folder on Windows is the home folder; a mutex leaves no
    // file there. Local\ is the user's own session.
    return QStringLiteral("Local\\") + program.toLower();
}

InstanceGuard::Claim InstanceGuard::claimFromMutex(bool gotHandle, unsigned long error)
{
    // Windows' error codes (winerror.h), so that this reads the same
    // everywhere it is built and tested.
    const unsigned long accessDenied = 5;
    const unsigned long alreadyExists = 183;
    if (gotHandle)
        return error == alreadyExists ? Claim::AnotherRuns : Claim::Alone;
    return error == accessDenied ? Claim::AnotherRuns : Claim::Unavailable;
}

#ifdef Q_OS_WIN

InstanceGuard::Claim InstanceGuard::claim()
{
    static_assert(ERROR_ACCESS_DENIED == 5 && ERROR_ALREADY_EXISTS == 183);
    if (m_mutex)
        return Claim::Alone;
    HANDLE mutex = CreateMutexW(nullptr, FALSE, reinterpret_cast<LPCWSTR>(m_name.utf16()));
    const Claim claimed = claimFromMutex(mutex != nullptr, GetLastError());
    if (claimed != Claim::Alone) {
        if (mutex)
            CloseHandle(mutex);
        return claimed;
    }
    // The handle stays open for the life of the process; Windows closes it
    // when the process ends.
    m_mutex = mutex;
    return Claim::Alone;
}

void InstanceGuard::release()
{
    if (m_mutex)
        CloseHandle(m_mutex);
    m_mutex = nullptr;
}

#else

InstanceGuard::Claim InstanceGuard::claim()
{
    if (m_file >= 0)
        return Claim::Alone;
    const QByteArray path = QFile::encodeName(m_name);
    // Close on exec: a browser started later would otherwise share the lock
    // and keep it after this copy ends. The file's contents are never read
    // or written. A file that cannot be opened for writing (read-only, or a
    // folder in its place) can still be locked when it can be read.
    int file = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW, 0600);
    if (file < 0)
        file = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW);
    if (file < 0)
        return Claim::Unavailable;
    int result;
    do {
        result = ::flock(file, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0) {
        m_file = file;
        return Claim::Alone;
    }
    const int error = errno;
    ::close(file);
    return error == EWOULDBLOCK ? Claim::AnotherRuns : Claim::Unavailable;
}

void InstanceGuard::release()
{
    // The file stays: removing it would let a copy that opened it just
    // before lock a file no later copy can see.
    if (m_file >= 0)
        ::close(m_file);
    m_file = -1;
}

#endif

} // namespace platform
