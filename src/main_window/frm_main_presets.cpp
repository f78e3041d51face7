// Presets: named window layouts stored under the settings, applied from the
// Presets menu or with Ctrl+1..Ctrl+9.

#include <QMenu>
#include <QSettings>

#include "dictionary_view/dictionary_view.h"
#include "main_window/frm_main.h"
#include "main_window/settings_key.h"
#include "main_window/top_bar.h"
#include "widgets/input_box.h"
#include "language/language_apply.h"
#include "widgets/message_box.h"
#include "preferences/frm_preset.h"

namespace lirabo {

namespace {

constexpr int kShortcutCount = 9;  // Ctrl+1 .. Ctrl+9

}  // namespace

void TfrmMain::LoadPresets()
{
    TSettingsKey key;
    FPresetNames = TPresetStore(key).Names();
    Menu.mnuPresets->clear();
    for (int i = 0; i < FPresetNames.size(); ++i) {
        QAction* item = Menu.mnuPresets->addAction(FPresetNames[i]);
        item->setObjectName(QStringLiteral("mnuPreset%1").arg(i));
        if (i < kShortcutCount)
            item->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + i)));
        connect(item, &QAction::triggered, this, [this, i] { mnuPresetsClick(i); });
    }
    Menu.mnuPresets->menuAction()->setVisible(!FPresetNames.isEmpty());
}

TfrmMain::TPresetLayout TfrmMain::CurrentLayout() const
{
    return {width(), height(), x(), y(), FOpacity.Alpha, FSettings.TopIndent, FLookupView->Indent()};
}

void TfrmMain::mnuAddPresetClick()
{
    const std::optional<QString> name =
        TInputBox::Ask(this, QStringLiteral("Lirabo"), Text(8005) + QLatin1String("\n\n") + Text(8006));
    if (!name || name->trimmed().isEmpty())
        return;
    TSettingsKey key;
    TPresetStore store(key);
    switch (store.CheckName(*name)) {
        case TPresetStore::TNameCheck::Duplicate:
            TMessageBox::Error(this, Text(8007));
            return;
        case TPresetStore::TNameCheck::Invalid:
            TMessageBox::Error(this, TextOrEnglish(8009));
            return;
        case TPresetStore::TNameCheck::Ok:
            break;
    }
    store.AddPreset(*name, CurrentLayout(), isMinimized() ? 0 : isMaximized() ? 2 : 1);
    key.sync();
    LoadPresets();
}

void TfrmMain::mnuPresetsClick(int Index)
{
    if (Index < 0 || Index >= FPresetNames.size())
        return;
    TSettingsKey key;
    const TPresetLayout layout =
        TPresetStore::Resolve(TPresetStore(key).ReadPreset(FPresetNames[Index]), FBuiltInPresets, CurrentLayout());
    // Hidden while it changes, the window does not show each step.
    hide();
    PlaceWindow({layout.Left, layout.Top}, {layout.Width, layout.Height});
    FOpacity = {layout.Transparency, layout.Transparency != 255};
    setWindowOpacity(WindowOpacityOf(FOpacity));
    FSettings.TopIndent = layout.TopIndent;
    pnlTop->SetTopIndent(FSettings.TopIndent);
    FSettings.Indent = layout.Indent;
    for (TDictionaryView* view : {FLookupView, FAdvancedView}) {
        view->SetIndent(layout.Indent);
        view->update();
    }
    show();
}

void TfrmMain::mnuDeletePresetsClick()
{
    TfrmPreset dialog(
        FLanguage,
        [this] {
            LoadPresets();
            return FPresetNames;
        },
        [](const QString& Name) {
            TSettingsKey key;
            TPresetStore(key).RemovePreset(Name);
        },
        this);
    ApplyLanguageToControl(FLanguage, &dialog, QStringLiteral("Preset"));
    dialog.Refresh();
    Hooks.RunModal(dialog);
    LoadPresets();
}

}  // namespace lirabo
