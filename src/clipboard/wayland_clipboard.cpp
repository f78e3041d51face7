#include "clipboard/wayland_clipboard.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>

#include "clipboard/copied_types.h"
#include "clipboard/data_control_connection.h"
#include "clipboard/pipe_reader.h"

namespace lirabo {

TWaylandClipboard::TWaylandClipboard(QObject* Parent) : QObject(Parent) {}

TWaylandClipboard::~TWaylandClipboard()
{
    for (TFetch& fetch : FFetch)
        if (fetch.Reader)
            fetch.Reader->Cancel();
}

bool TWaylandClipboard::Start(const QString& Display)
{
    if (FConnection)
        return FStatus != TStatus::Unavailable;
    FConnection = std::make_unique<TDataControlConnection>();
    if (!FConnection->Connect(QFile::encodeName(Display).toStdString())) {
        FStatus = TStatus::Unavailable;
        return false;
    }
    FNotifier = new QSocketNotifier(FConnection->Descriptor(), QSocketNotifier::Read, this);
    connect(FNotifier, &QSocketNotifier::activated, this, [this] { Dispatch(); });
    return true;
}

void TWaylandClipboard::Dispatch()
{
    using TState = TDataControlConnection::TState;
    const TState state = FConnection->Dispatch();
    if (state == TState::Ready && !FDeviceWired) {
        // The device's first events can only come with a later read.
        FDeviceWired = true;
        FConnection->Device()->OnSelection = [this](TSelectionKind Kind, const std::vector<std::string>& Types) {
            Changed(Kind, Types);
        };
        FConnection->Device()->OnFinished = [this] { SetStatus(TStatus::Lost); };
        SetStatus(TStatus::Watching);
    } else if (state == TState::Unsupported || state == TState::Broken) {
        SetStatus(FStatus == TStatus::Watching ? TStatus::Lost : TStatus::Unavailable);
    }
}

void TWaylandClipboard::SetStatus(TStatus Status)
{
    if (FStatus == Status || FStatus == TStatus::Lost || FStatus == TStatus::Unavailable)
        return;
    FStatus = Status;
    if (Status == TStatus::Lost || Status == TStatus::Unavailable) {
        // Nothing more will come; what is being read is not waited for.
        FNotifier->setEnabled(false);
        EndFetch(TSelectionKind::Clipboard, QString());
        EndFetch(TSelectionKind::Primary, QString());
    }
    if (OnStatus)
        OnStatus(Status);
}

void TWaylandClipboard::Changed(TSelectionKind Kind, const std::vector<std::string>& Types)
{
    FTypes[Slot(Kind)] = Types;
    EndFetch(Kind, QString());
    if (OnChange)
        OnChange(Kind);
}

void TWaylandClipboard::EndFetch(TSelectionKind Kind, const QString& Text)
{
    TFetch& fetch = FFetch[Slot(Kind)];
    if (fetch.Reader)
        fetch.Reader->Cancel();
    fetch.Reader = nullptr;
    if (auto done = std::move(fetch.Done)) {
        fetch.Done = nullptr;
        // Never from inside the caller's own call.
        QTimer::singleShot(0, this, [done = std::move(done), Text] { done(Text); });
    }
}

void TWaylandClipboard::Fetch(TSelectionKind Kind, std::function<void(const QString&)> Done)
{
    EndFetch(Kind, QString());
    FFetch[Slot(Kind)].Done = std::move(Done);
    const std::vector<std::string>& types = FTypes[Slot(Kind)];
    const bool own = std::find(types.begin(), types.end(), kOwnCopyType) != types.end();
    if (FStatus != TStatus::Watching || own || types.empty()) {
        EndFetch(Kind, QString());
        return;
    }
    if (std::find(types.begin(), types.end(), kSecretHintType) == types.end()) {
        ReadText(Kind);
        return;
    }
    const bool asked = Receive(Kind, kSecretHintType, kMaxHintBytes, [this, Kind](const QByteArray& Hint, bool) {
        if (IsSecretHint(Hint))
            EndFetch(Kind, QString());
        else
            ReadText(Kind);
    });
    if (!asked)
        EndFetch(Kind, QString());
}

void TWaylandClipboard::ReadText(TSelectionKind Kind)
{
    const std::vector<std::string>& types = FTypes[Slot(Kind)];
    const int chosen = ChooseTextType(types);
    if (chosen < 0) {
        EndFetch(Kind, QString());
        return;
    }
    const std::string type = types[static_cast<std::size_t>(chosen)];
    const bool asked = Receive(Kind, type, kMaxTextBytes, [this, Kind, type](const QByteArray& Bytes, bool Finished) {
        // A copy not handed over whole in time is not guessed at.
        EndFetch(Kind, Finished ? DecodeCopiedText(type, Bytes) : QString());
    });
    if (!asked)
        EndFetch(Kind, QString());
}

bool TWaylandClipboard::Receive(TSelectionKind Kind, const std::string& Type, qsizetype Limit,
                                std::function<void(const QByteArray&, bool)> Read)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return false;
    // Only our end is non-blocking: the writer's end is the other
    // program's, and it may expect a plain pipe.
    ::fcntl(fds[0], F_SETFL, ::fcntl(fds[0], F_GETFL) | O_NONBLOCK);
    const bool asked = FConnection->Device() && FConnection->Device()->Receive(Kind, Type, fds[1]);
    if (asked)
        FConnection->Flush();
    ::close(fds[1]);
    if (!asked) {
        ::close(fds[0]);
        return false;
    }
    TFetch& fetch = FFetch[Slot(Kind)];
    fetch.Reader = new TPipeReader(
        fds[0], Limit, kReadTimeoutMs,
        [this, Kind, Read = std::move(Read)](const QByteArray& Data, bool Finished) {
            FFetch[Slot(Kind)].Reader = nullptr;
            Read(Data, Finished);
        },
        this);
    return true;
}

}  // namespace lirabo
