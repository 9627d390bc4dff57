#pragma once

// Running a program as an unprivileged user from a test that runs as root,
// so that file permissions count as they do for a real user.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <grp.h>
#include <unistd.h>

namespace unprivileged {

inline constexpr uid_t kUser = 65534; // "nobody"

// For QProcess::setChildProcessModifier: drops to the unprivileged user
// between fork and exec; a child that cannot ends with code 3.
inline void become()
{
    if (::setgroups(0, nullptr) != 0 || ::setgid(kUser) != 0 || ::setuid(kUser) != 0)
        ::_exit(3);
}

// Copies of build outputs that the unprivileged user can reach. The build
// tree may sit where only root can enter (a clone in /root, say), and a
// program there cannot be started as anybody else.
class Copies
{
public:
    Copies() { QFile::setPermissions(m_dir.path(), kEveryone); }

    // Copies a file, or a folder with everything in it, and returns the copy;
    // a second call for the same name returns the first copy.
    QString add(const QString &source)
    {
        const QFileInfo info(source);
        const QString target = m_dir.filePath(info.fileName());
        if (QFileInfo::exists(target))
            return target;
        if (!info.isDir()) {
            copyFile(source, target);
            return target;
        }
        QDir().mkpath(target);
        QFile::setPermissions(target, kEveryone);
        QDirIterator it(source, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QString copy = target + QDir(source).relativeFilePath(path).prepend(u'/');
            if (it.fileInfo().isDir()) {
                QDir().mkpath(copy);
                QFile::setPermissions(copy, kEveryone);
            } else {
                copyFile(path, copy);
            }
        }
        return target;
    }

    bool isValid() const { return m_dir.isValid(); }

private:
    static constexpr QFileDevice::Permissions kEveryone =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup
        | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;

    static void copyFile(const QString &source, const QString &target)
    {
        if (QFile::copy(source, target))
            QFile::setPermissions(target, kEveryone);
    }

    QTemporaryDir m_dir;
};

} // namespace unprivileged
