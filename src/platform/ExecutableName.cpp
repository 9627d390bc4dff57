#include "platform/ExecutableName.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace platform {

QString executableName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

} // namespace platform
