#pragma once

#include <QByteArray>
#include <QObject>
#include <functional>

class QSocketNotifier;
class QTimer;

namespace lirabo {

// Reads what another program writes into a pipe, on the window's thread
// without ever blocking it: up to a limit (the rest is not waited for) and
// within a time (a writer that stalls is given up on).
class TPipeReader : public QObject {
public:
    // Done comes once, from the event loop, with what was read and whether
    // the writer finished (closed its end, or the limit was reached).
    using TDone = std::function<void(const QByteArray& Data, bool Finished)>;

    // Takes Fd, the read end (non-blocking), and closes it when done.
    TPipeReader(int Fd, qsizetype Limit, int TimeoutMs, TDone Done, QObject* Parent = nullptr);
    ~TPipeReader() override;

    // Gives up without calling Done.
    void Cancel();

private:
    void Read();
    void Finish(bool Finished);

    int FFd;
    qsizetype FLimit;
    QByteArray FData;
    TDone FDone;
    QSocketNotifier* FNotifier = nullptr;
    QTimer* FTimer = nullptr;
};

}  // namespace lirabo
