#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>
#include <array>
#include <functional>
#include <utility>
#include <optional>
#include <vector>

#include "preferences/display_look.h"
#include "preferences/language_list.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace lirabo {

class TElementPreview;
class TLanguage;
class TLinkLabel;

// The settings dialog. The General tab chooses the interface language and
// four options, which the owner takes over on OK. The Layout tab edits the
// view font and the colour and style of every display element; those edits
// count at once, whichever way the dialog closes, and OnLookChanged reports
// each so that the owner can show it in its views while the dialog is open.
class TfrmSettings : public QDialog {
    Q_OBJECT

public:
    struct TGeneral {
        QString LanguageFile;  // empty: the built-in English
        bool MinimizeToTray = false;
        bool DisableBrowser = false;
        bool CheckForUpdates = true;
        bool HideOnlineDictionaries = false;
    };

    // The owner then applies section "Settings" to the dialog.
    TfrmSettings(const TLanguage& Language, std::vector<TLanguageChoice> Languages, const TGeneral& General,
                 const TDisplayLook& Look, QWidget* Owner);

    // The General tab as it stands. With no language selected (the stored
    // file is gone from the folder) the language given at the start stays.
    TGeneral General() const;
    const TDisplayLook& Look() const { return FLook; }
    // The element being edited, in settings order.
    int SelectedElement() const;

    std::function<void(const TDisplayLook& Look)> OnLookChanged;
    std::function<void()> OnGetMoreLanguages;
    // The system's colour and font dialogs; replaced by tests. Nothing means
    // the dialog was cancelled.
    std::function<std::optional<QColor>(const QColor& Initial)> ChooseColor;
    std::function<std::optional<QFont>(const QFont& Initial)> ChooseFont;

private:
    void CreateComponents();
    QWidget* CreateGeneralTab();
    QWidget* CreateLayoutTab();
    void FormCreate(const TGeneral& General);
    void cmbElementChange();
    void StyleBoxClick(QCheckBox* Box, TFontStyles Flag);
    // The four style boxes with the flag each one stands for.
    std::array<std::pair<QCheckBox*, TFontStyles>, 4> StyleBoxes() const;
    void btnColorClick();
    void btnFontClick();
    void LookChanged();

    const TLanguage& FLanguage;
    std::vector<TLanguageChoice> FLanguages;
    QString FStartLanguageFile;
    TDisplayLook FLook;

    QTabWidget* pagSettings = nullptr;
    QWidget* tabGeneral = nullptr;
    QComboBox* cmbLanguages = nullptr;
    TLinkLabel* lblGetMoreLanguages = nullptr;
    QCheckBox* chkMinimizeToTray = nullptr;
    QCheckBox* chkDisableBrowser = nullptr;
    QCheckBox* chkCheckForUpdates = nullptr;
    QCheckBox* chkHideOnlineDictionaries = nullptr;
    QWidget* tabLayout = nullptr;
    QPushButton* btnFont = nullptr;
    TElementPreview* pntElements = nullptr;
    QGroupBox* grpElement = nullptr;
    QComboBox* cmbElement = nullptr;
    QPushButton* btnColor = nullptr;
    QCheckBox* chkBold = nullptr;
    QCheckBox* chkItalic = nullptr;
    QCheckBox* chkUnderline = nullptr;
    QCheckBox* chkStrikeOut = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;
};

}  // namespace lirabo
