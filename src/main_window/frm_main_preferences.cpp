// The settings dialog, the dictionary's information and the about box: the
// window opens them and applies what they return.

#include <QDir>
#include <QFileInfo>

#include "browser/built_in_pages.h"
#include "dictionary/display_text.h"
#include "dictionary_view/dictionary_view.h"
#include "language/language_apply.h"
#include "main_window/frm_main.h"
#include "main_window/vendor_pages.h"
#include "network/update_version.h"
#include "preferences/frm_about.h"
#include "preferences/frm_information.h"
#include "preferences/frm_settings.h"
#include "widgets/message_box.h"

namespace lirabo {

namespace {

QString Decoded(const TDictionaryHeader& Header, const std::string& Text)
{
    return QString::fromStdString(ToDisplayText(Text, Header.Text.Encoding));
}

}  // namespace

void TfrmMain::mnuSettingsClick()
{
    // An indent dragged in the view survives the ApplySettings below.
    FSettings.Indent = FLookupView->Indent();
    const TfrmSettings::TGeneral general{FSettings.LanguageFile, FSettings.MinimizeToTray,
                                         FSettings.DisableBrowser, FSettings.CheckForUpdates,
                                         FSettings.HideOnlineDictionaries};
    TfrmSettings dialog(FLanguage, ListLanguages(FFolders.ReadFolders(TDataKind::Lang)), general,
                        FSettings.Look(), this);
    ApplyLanguageToControl(FLanguage, &dialog, QStringLiteral("Settings"));
    // Layout edits count at once; the views show them while the dialog is
    // still open, so that a colour can be judged where it is used.
    dialog.OnLookChanged = [this](const TDisplayLook& Look) {
        FSettings.SetLook(Look);
        ApplyDisplaySettings(FLookupView);
        ApplyDisplaySettings(FAdvancedView);
    };
    dialog.OnGetMoreLanguages = [this] {
        LaunchURL(FSettings.LanguagesPage, true);
    };
    Hooks.RunModal(dialog);
    if (dialog.result() == QDialog::Accepted)
        TakeOverGeneral(dialog);
    ApplySettings();
}

void TfrmMain::TakeOverGeneral(const TfrmSettings& Dialog)
{
    const TfrmSettings::TGeneral chosen = Dialog.General();
    // A file that went bad since the list was made would silently give
    // English and forget the choice; the language in use stays instead.
    if (chosen.LanguageFile.isEmpty() || chosen.LanguageFile == FSettings.LanguageFile ||
        TLanguage().ApplyLanguageFile(LanguagePath(chosen.LanguageFile)))
        FSettings.LanguageFile = chosen.LanguageFile;
    else
        TMessageBox::Error(this, TLanguage::FillPlaceholders(TextOrEnglish(8010), {chosen.LanguageFile}));
    FSettings.MinimizeToTray = chosen.MinimizeToTray;
    FSettings.DisableBrowser = chosen.DisableBrowser;
    FSettings.CheckForUpdates = chosen.CheckForUpdates;
    FSettings.HideOnlineDictionaries = chosen.HideOnlineDictionaries;
}

void TfrmMain::mnuInformationClick()
{
    // Online entries and a view whose last open failed have no header to
    // describe.
    if (!LocalDictionaryOpen())
        return;
    const TDictionaryHeader& header = FLookupView->Header();
    const TDictionaryLanguages stated{header.Text.HeadwordLanguage, header.Text.DefinitionLanguage};
    const QString file = QFileInfo(FDictionaries.At(FCurrentDictionary).Location).fileName();
    TfrmInformation dialog(FLanguage, Decoded(header, header.Name), Decoded(header, header.Information),
                           Decoded(header, header.URL), stated, FSettings.DictionaryLanguages.value(file),
                           this);
    ApplyLanguageToControl(FLanguage, &dialog, QStringLiteral("Information"));
    dialog.OnOpenLink = [this](const QString& Address) { OpenDataAddress(Address); };
    Hooks.RunModal(dialog);
    // Closing is the dialog's only way out, with its button or Esc alike:
    // either keeps what was chosen.
    const TDictionaryLanguages chosen = dialog.ChosenLanguages();
    if (chosen.Empty())
        FSettings.DictionaryLanguages.remove(file);
    else
        FSettings.DictionaryLanguages.insert(file, chosen);
    // The forms follow the headword language.
    OpenWordHintsDictionary();
}

TDictionaryLanguages TfrmMain::CurrentLanguages() const
{
    if (!LocalDictionaryOpen())
        return {};
    const QString file = QFileInfo(FDictionaries.At(FCurrentDictionary).Location).fileName();
    return EffectiveLanguages(FLookupView->Header().Text, FSettings.DictionaryLanguages.value(file));
}

void TfrmMain::mnuAboutClick()
{
    const std::string_view version = network::ProgramVersion();
    // The home page by its name when it is built in: its local copy's path
    // means nothing to a reader.
    const QString site = TBuiltInPages::IsBuiltIn(FSettings.HomePage)
                             ? FLanguage.TextOrEnglish(QStringLiteral("About"), 9002)
                             : FSettings.HomePage;
    TfrmAbout dialog(FLanguage, QString::fromUtf8(version.data(), static_cast<qsizetype>(version.size())), site,
                     QLatin1String(kSupportEmail), this);
    ApplyLanguageToControl(FLanguage, &dialog, QStringLiteral("About"));
    dialog.OnOpenLink = [this, site](const QString& Address) {
        LaunchURL(Address == site ? FSettings.HomePage : Address, false);
    };
    Hooks.RunModal(dialog);
}

}  // namespace lirabo
