#pragma once

// What the clipboard suites share: the window with clipboard translation on
// over the standard dictionaries, and the other programs a case starts,
// ended with the case.

#include <QProcess>
#include <QTest>
#include <memory>
#include <vector>

#include "window_fixture.h"

namespace lirabo::test {

class ClipboardTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        AddStandardDictionaries();
        QSettings s = Stored();
        s.setValue("ClipboardTranslation", 1);
    }

    void TearDown() override
    {
        WindowTest::TearDown();
        for (auto& p : FHelpers) {
            p->kill();
            p->waitForFinished(2000);
        }
        FHelpers.clear();
    }

    bool WaitForBox(const QString& Text, int Ms = 5000)
    {
        return QTest::qWaitFor([&] { return LookupBox()->currentText() == Text; }, Ms);
    }

    std::vector<std::unique_ptr<QProcess>> FHelpers;
};

}  // namespace lirabo::test
