#include "network/update_reachability.h"

#include <QNetworkInformation>

namespace lirabo::network {

bool PlatformReportsOffline()
{
    if (!QNetworkInformation::instance() &&
        !QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability))
        return false;
    const QNetworkInformation* information = QNetworkInformation::instance();
    return information && information->reachability() == QNetworkInformation::Reachability::Disconnected;
}

}  // namespace lirabo::network
