#pragma once

#include <QString>
#include <QUrl>

namespace lirabo {

// The address to hand to the desktop for Address when it comes from data
// (a dictionary's web site, an online dictionary's address): only web
// pages and mail addresses. Anything else (file:, smb:, a registered
// handler of some program, a bare path) is an empty QUrl: the desktop
// would open it with whatever program claims the scheme, so a downloaded
// file could run a program or reach a share. A bare host name
// ("www.example.org") is a web page, as a person would mean it.
QUrl DataAddressToOpen(const QString& Address);

}  // namespace lirabo
