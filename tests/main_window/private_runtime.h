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

}  // namespace lirabo::test
