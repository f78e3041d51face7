#pragma once

#include <QFile>
#include <QTemporaryDir>

namespace lirabo::test {

// Qt wants a private runtime folder; a fresh one (owned by the caller, kept
// for the whole run) keeps its warning out of the test output.
inline void UsePrivateRuntimeFolder(const QTemporaryDir& Runtime)
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") || !Runtime.isValid())
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
