// A tool, not a test: saves screenshots of every dialog of the preferences,
// in the built-in English and in German, to the folder given (default /tmp).

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QTabWidget>

#include "language/language.h"
#include "language/language_apply.h"
#include "preferences/frm_about.h"
#include "preferences/frm_information.h"
#include "preferences/frm_preset.h"
#include "preferences/frm_settings.h"

using namespace lirabo;

namespace {

void Save(QWidget& Window, const QString& Path)
{
    Window.show();
    QApplication::processEvents();
    Window.grab().save(Path);
    Window.hide();
}

void Probe(const TLanguage& Language, const QString& Folder, const QString& Suffix)
{
    const std::vector<TLanguageChoice> languages{{{}, QStringLiteral("English (default)")},
                                                 {QStringLiteral("Deutsch.lng"), QStringLiteral("Deutsch")}};
    TfrmSettings settings(Language, languages, {QStringLiteral("Deutsch.lng"), true, false, true, false}, {},
                          nullptr);
    ApplyLanguageToControl(Language, &settings, QStringLiteral("Settings"));
    Save(settings, Folder + QStringLiteral("/prefs_settings_general_") + Suffix + QStringLiteral(".png"));
    settings.findChild<QTabWidget*>(QStringLiteral("pagSettings"))->setCurrentIndex(1);
    Save(settings, Folder + QStringLiteral("/prefs_settings_layout_") + Suffix + QStringLiteral(".png"));

    TfrmPreset preset(
        Language, [] { return QStringList{QStringLiteral("Reading"), QStringLiteral("Side bar")}; },
        [](const QString&) {}, nullptr);
    ApplyLanguageToControl(Language, &preset, QStringLiteral("Preset"));
    preset.Refresh();
    Save(preset, Folder + QStringLiteral("/prefs_preset_") + Suffix + QStringLiteral(".png"));

    // The file states its headwords' language; the definitions' was chosen.
    TfrmInformation information(
        Language, QStringLiteral("Fruit and Vegetables"),
        QStringLiteral(
            "A small dictionary of fruit.\r\nBuilt from the garden list, 2026.\r\n\r\nFree to copy."),
        QStringLiteral("https://example.org/fruit"), {"el", ""}, {"", "pl"}, nullptr);
    ApplyLanguageToControl(Language, &information, QStringLiteral("Information"));
    Save(information, Folder + QStringLiteral("/prefs_information_") + Suffix + QStringLiteral(".png"));

    TfrmAbout about(Language, QStringLiteral("0.1.0"), QStringLiteral("http://www.kestrune.com"),
                    QStringLiteral("support@kestrune.com"), nullptr);
    ApplyLanguageToControl(Language, &about, QStringLiteral("About"));
    Save(about, Folder + QStringLiteral("/prefs_about_") + Suffix + QStringLiteral(".png"));
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp");
    TLanguage english;
    Probe(english, folder, QStringLiteral("en"));
    TLanguage german;
    if (!german.ApplyLanguageFile(QStringLiteral(GERMAN_LANGUAGE_FILE)))
        return 1;
    Probe(german, folder, QStringLiteral("de"));
    return 0;
}
