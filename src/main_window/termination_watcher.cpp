#include "main_window/termination_watcher.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <QSocketNotifier>
#include <csignal>

namespace lirabo {

namespace {

int gSignalPipe[2] = {-1, -1};  // written by the handler, read by the event loop

void HandleSignal(int Signal)
{
    const unsigned char byte = static_cast<unsigned char>(Signal);
    // Nothing else is safe in a signal handler; a full pipe loses only a
    // repeat of a signal already on its way.
    [[maybe_unused]] const ssize_t written = ::write(gSignalPipe[1], &byte, 1);
}

}  // namespace

TTerminationWatcher::TTerminationWatcher(std::initializer_list<int> Signals,
                                         std::function<void(int)> OnSignal, QObject* Parent)
    : QObject(Parent), FOnSignal(std::move(OnSignal)), FSignals(Signals)
{
    if (gSignalPipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, gSignalPipe) != 0)
        return;
    ::fcntl(gSignalPipe[1], F_SETFL, O_NONBLOCK);
    FNotifier = new QSocketNotifier(gSignalPipe[0], QSocketNotifier::Read, this);
    connect(FNotifier, &QSocketNotifier::activated, this, &TTerminationWatcher::Readable);

    struct sigaction action = {};
    action.sa_handler = HandleSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    FActive = true;
    for (const int s : Signals)
        FActive = ::sigaction(s, &action, nullptr) == 0 && FActive;
}

TTerminationWatcher::~TTerminationWatcher()
{
    if (!FNotifier)
        return;
    // Signals after this point take their default action again.
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    for (const int s : FSignals)
        ::sigaction(s, &action, nullptr);
    delete FNotifier;
    ::close(gSignalPipe[0]);
    ::close(gSignalPipe[1]);
    gSignalPipe[0] = gSignalPipe[1] = -1;
}

void TTerminationWatcher::Readable()
{
    unsigned char byte = 0;
    if (::read(gSignalPipe[0], &byte, 1) == 1 && FOnSignal)
        FOnSignal(byte);
}

}  // namespace lirabo
