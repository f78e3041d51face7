#include "main_window/data_address.h"

namespace lirabo {

QUrl DataAddressToOpen(const QString& Address)
{
    const QString trimmed = Address.trimmed();
    if (trimmed.isEmpty())
        return {};
    // fromUserInput takes a path for a file, which is refused below.
    const QUrl url = QUrl::fromUserInput(trimmed);
    if (!url.isValid())
        return {};
    const QString scheme = url.scheme().toLower();
    if ((scheme == QLatin1String("http") || scheme == QLatin1String("https")) && !url.host().isEmpty())
        return url;
    if (scheme == QLatin1String("mailto") && !url.path().isEmpty())
        return url;
    return {};
}

}  // namespace lirabo
