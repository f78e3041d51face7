#pragma once

#include <QSettings>

namespace lirabo {

// The program's settings store, "LiraboDesk" of "Kestrune" in the platform's
// native format. Every reader and writer opens it through this class, so
// that its name is spelled in one place.
class TSettingsKey : public QSettings {
public:
    TSettingsKey() : QSettings(QStringLiteral("Kestrune"), QStringLiteral("LiraboDesk")) {}
};

}  // namespace lirabo
