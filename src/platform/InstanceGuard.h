#pragma once

// One running copy per user. The hold is one the operating system drops
// when the process ends, however it ends, so it can never go stale: on
// Windows a named mutex in the session's Local\ namespace (no file at all),
// elsewhere an exclusive flock on a file in the user's runtime folder. That
// file may stay behind and may hold anything, even a lock written by an
// older version or another host: only the kernel's lock on it counts.

#include <QString>
#include <QtGlobal>

namespace platform {

class InstanceGuard
{
public:
    enum class Claim {
        Alone,        // this copy holds the guard until it ends
        AnotherRuns,  // another live copy holds it
        Unavailable,  // the guard could not be made; nobody can tell
    };

    // name: the lock file's path, or on Windows the mutex's name.
    explicit InstanceGuard(QString name);
    ~InstanceGuard();
    InstanceGuard(const InstanceGuard &) = delete;
    InstanceGuard &operator=(const InstanceGuard &) = delete;

    // Never waits. Claiming again while holding the guard keeps it.
    Claim claim();

    // The guard of this program for the current user.
    static QString defaultName();

    // Windows: the session's mutex of a program. Windows names files without
    // regard to case, so "QUENLORY" and "quenlory" are one program.
    static QString mutexName(const QString &program);
    // Windows: what CreateMutexW's answer means, from whether it gave a
    // handle and the error it reported (GetLastError). Access denied is a
    // mutex that exists but belongs to a copy of higher rights (one started
    // as administrator): another copy runs.
    static Claim claimFromMutex(bool gotHandle, unsigned long error);

private:
    void release();

    QString m_name;
#ifdef Q_OS_WIN
    void *m_mutex = nullptr;
#else
    int m_file = -1;
#endif
};

} // namespace platform
