#include "clipboard/pipe_reader.h"

#include <unistd.h>

#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>

namespace lirabo {

TPipeReader::TPipeReader(int Fd, qsizetype Limit, int TimeoutMs, TDone Done, QObject* Parent)
    : QObject(Parent), FFd(Fd), FLimit(Limit), FDone(std::move(Done))
{
    FNotifier = new QSocketNotifier(FFd, QSocketNotifier::Read, this);
    connect(FNotifier, &QSocketNotifier::activated, this, [this] { Read(); });
    FTimer = new QTimer(this);
    FTimer->setSingleShot(true);
    connect(FTimer, &QTimer::timeout, this, [this] { Finish(false); });
    FTimer->start(TimeoutMs);
}

TPipeReader::~TPipeReader()
{
    if (FFd >= 0)
        ::close(FFd);
}

void TPipeReader::Cancel()
{
    FDone = nullptr;
    Finish(false);
}

void TPipeReader::Read()
{
    char buffer[16384];
    for (;;) {
        const qsizetype room = FLimit - FData.size();
        if (room <= 0) {
            Finish(true);
            return;
        }
        const ssize_t n = ::read(FFd, buffer, static_cast<size_t>(std::min<qsizetype>(room, sizeof(buffer))));
        if (n > 0) {
            FData.append(buffer, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return;
        Finish(n == 0);  // the end, or a read error
        return;
    }
}

void TPipeReader::Finish(bool Finished)
{
    if (FFd < 0)
        return;
    FNotifier->setEnabled(false);
    FTimer->stop();
    ::close(FFd);
    FFd = -1;
    if (TDone done = std::move(FDone))
        done(FData, Finished);
    deleteLater();
}

}  // namespace lirabo
