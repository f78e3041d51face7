#pragma once

#include <QObject>
#include <functional>
#include <initializer_list>
#include <vector>

class QSocketNotifier;

namespace lirabo {

// Turns the termination signals a session end sends (SIGTERM, SIGINT, SIGHUP)
// into a call on the user-interface thread, so that the program can close
// its window and write its settings instead of dying mid-way. The signal
// handler only writes one byte into a pipe; everything else runs from the
// event loop. One instance at a time.
class TTerminationWatcher : public QObject {
    Q_OBJECT

public:
    TTerminationWatcher(std::initializer_list<int> Signals, std::function<void(int Signal)> OnSignal,
                        QObject* Parent = nullptr);
    ~TTerminationWatcher() override;

    // False when the pipe or a handler could not be set up; the signals then
    // keep their default action.
    bool Active() const { return FActive; }

private:
    void Readable();

    std::function<void(int)> FOnSignal;
    std::vector<int> FSignals;
    QSocketNotifier* FNotifier = nullptr;
    bool FActive = false;
};

}  // namespace lirabo
