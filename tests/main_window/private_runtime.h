#pragma once

#include <QFile>
#include <QTemporaryDir>

namespace lirabo::test {

// A fresh runtime folder (owned by the caller, kept for the whole run), even
// when the desktop has one: the program's single-instance socket lives there,
// and a test must never reach a Lirabo the developer has running. It also
// keeps Qt's warning about a missing runtime folder out of the test output.
inline void UsePrivateRuntimeFolder(const QTemporaryDir& Runtime)
{
    if (!Runtime.isValid())
        return;
    QFile::setPermissions(Runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(Runtime.path()));
}

// The user's and the system's data folders would add their dictionaries and
// languages to every window a test makes; empty ones of the run's own keep
// each test to its program folder.
inline void UsePrivateDataFolders(const QTemporaryDir& Root)
{
    qputenv("XDG_DATA_HOME", QFile::encodeName(Root.filePath(QStringLiteral("data-home"))));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(Root.filePath(QStringLiteral("data-dirs"))));
}

}  // namespace lirabo::test
