#include "network/part_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace lirabo::network {

bool TPartFile::Open(const QString& Target)
{
    Discard();
    if (Target.isEmpty() || !QDir().mkpath(QFileInfo(Target).absolutePath()))
        return false;
    FTarget = QFile::encodeName(Target).toStdString();
    return FFile.Open(FTarget) == 0;
}

bool TPartFile::Install()
{
    if (FFile.Install() != 0)
        return false;
    // The file is whole and in place, and is what the caller is told about;
    // a folder that cannot be synced only weakens what survives a crash, so
    // it does not turn the installation into a failure.
    SyncFolderOfFile(FTarget);
    return true;
}

}  // namespace lirabo::network
