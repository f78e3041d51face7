// The update check: started from the Tools menu or silently at start-up, it
// asks the update server about this build and acts on the command the
// reply carries.

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QSettings>

#include "main_window/frm_main.h"
#include "main_window/settings_key.h"
#include "widgets/message_box.h"
#include "main_window/status_bar.h"
#include "network/update_address.h"
#include "network/update_calendar.h"
#include "network/update_check.h"
#include "network/update_day_count.h"
#include "network/update_message.h"
#include "network/update_reachability.h"
#include "network/update_reply.h"
#include "network/update_request.h"
#include "network/update_server.h"
#include "network/update_version.h"

namespace lirabo {

namespace {

using network::TUpdateCheck;
using network::TUpdateCommand;
using network::TUpdateFailure;

constexpr const char* kNoServer = "No update server is configured.";
constexpr const char* kBadServer = "Unable to initiate lookup.";

QString FailureText(TUpdateFailure Failure)
{
    switch (Failure) {
    case TUpdateFailure::Lookup:
        return QStringLiteral("Unable to resolve host name.");
    case TUpdateFailure::Socket:
        return QStringLiteral("Unable to create socket.");
    case TUpdateFailure::TooLarge:
        return QStringLiteral("The reply of the update server is too long.");
    case TUpdateFailure::Connect:
    case TUpdateFailure::Timeout:
        break;
    }
    return QStringLiteral("Unable to connect.");
}

}  // namespace

bool TfrmMain::UpdateCheckRunning() const
{
    return FUpdateCheck && FUpdateCheck->Running();
}

void TfrmMain::StartUpdateCheckWhenDue()
{
    if (!FSettings.CheckForUpdates ||
        !network::UpdateCheckDue(FSettings.UpdatedDate, network::DayCountOf(QDateTime::currentDateTime())))
        return;
    // After start-up, from the message loop: the check needs nothing of the
    // window's making, and whoever made the window gets to set it up first.
    QMetaObject::invokeMethod(
        this, [this] { mnuCheckForUpdatesClick(nullptr); }, Qt::QueuedConnection);
}

void TfrmMain::mnuCheckForUpdatesClick(QObject* Sender)
{
    if (FDestroyed || UpdateCheckRunning())
        return;
    const bool manual = Sender && Sender == Menu.mnuCheckForUpdates;
    const QString setting = FSettings.UpdateServer.trimmed();
    // A build without a server has nothing to ask; the platform is asked
    // about the network only when there is.
    if (!manual && (setting.isEmpty() || (Hooks.OfflineCheck ? Hooks.OfflineCheck() : network::PlatformReportsOffline())))
        return;
    FManualUpdateCheck = manual;
    if (setting.isEmpty()) {
        ErrorMsg(QLatin1String(kNoServer), QAbstractSocket::UnknownSocketError);
        return;
    }
    const auto server = network::ParseUpdateServer(setting.toStdString());
    if (!server) {
        ErrorMsg(QLatin1String(kBadServer), QAbstractSocket::UnknownSocketError);
        return;
    }

    if (manual)
        stbStatusBar->SetWholeWidthText(Text(9011));
    const std::string version =
        Hooks.UpdateVersion.isEmpty() ? std::string(network::ProgramVersion()) : Hooks.UpdateVersion.toStdString();
    const std::string body = network::BuildUpdateBody(network::BuildNumberOf(version), FSettings.UpdatedDate,
                                                      QLocale().decimalPoint().toStdString());
    const std::string request = network::BuildUpdateRequest(server->HostLine(), body);

    if (!FUpdateCheck) {
        FUpdateCheck = new TUpdateCheck(this);
        // Direct: the check is idle when it reports, so a message box's own
        // loop may even start the next one.
        connect(FUpdateCheck, &TUpdateCheck::Finished, this, &TfrmMain::UpdateCheckFinished);
        connect(FUpdateCheck, &TUpdateCheck::Failed, this, &TfrmMain::UpdateCheckFailed);
    }
    FUpdateCheck->SetTimeout(Hooks.UpdateTimeoutMs > 0 ? Hooks.UpdateTimeoutMs : TUpdateCheck::kDefaultTimeoutMs);
    FUpdateCheck->Start(*server, QByteArray(request.data(), static_cast<qsizetype>(request.size())));
}

void TfrmMain::UpdateCheckFinished(const QByteArray& Reply)
{
    if (FDestroyed)
        return;
    const bool manual = FManualUpdateCheck;
    // Every exchange that reached the server's close counts as a check,
    // whatever the reply said.
    FSettings.UpdatedDate = network::DayCountOf(QDate::currentDate());
    {
        TSettingsKey key;
        TSettings::WriteUpdatedDate(key, FSettings.UpdatedDate);
    }
    EndUpdateCheck();

    const network::TUpdateReply reply =
        network::ParseUpdateReply(std::string_view(Reply.constData(), static_cast<size_t>(Reply.size())));
    switch (reply.Command) {
    case TUpdateCommand::Message: {
        const QString text = QString::fromStdString(network::UpdateMessageText(reply.Argument));
        if (!text.isEmpty())
            TMessageBox::Information(this, text);
        break;
    }
    case TUpdateCommand::Updated: {
        // An address the program will not open is not offered either.
        const auto address = network::OpenableUpdateAddress(reply.Argument);
        if (address && TMessageBox::Question(this, Text(8003)) == TMessageBox::TAnswer::Yes)
            LaunchURL(QString::fromStdString(*address), true);
        break;
    }
    case TUpdateCommand::Latest:
        if (manual)
            TMessageBox::Information(this, Text(8004));
        break;
    case TUpdateCommand::None:
    case TUpdateCommand::Other:
        break;
    }
}

void TfrmMain::UpdateCheckFailed(TUpdateFailure Failure, int SocketError)
{
    if (FDestroyed)
        return;
    EndUpdateCheck();
    ErrorMsg(FailureText(Failure), SocketError);
}

void TfrmMain::EndUpdateCheck()
{
    // An automatic check never took the status bar.
    if (FManualUpdateCheck)
        stbStatusBar->SetPanelMode();
}

void TfrmMain::ErrorMsg(const QString& Message, int SocketError)
{
    if (!FManualUpdateCheck)
        return;
    TMessageBox::Error(this, Text(8002) + QLatin1String("\r\n\r\nERROR ") + QString::number(SocketError) +
                                 QLatin1String("\r\n") + Message);
}

}  // namespace lirabo
