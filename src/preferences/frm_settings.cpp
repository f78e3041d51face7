#include "preferences/frm_settings.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "dictionary_view/dictionary_painter.h"
#include "language/language.h"
#include "language/language_apply.h"
#include "preferences/element_preview.h"
#include "widgets/link_label.h"

namespace lirabo {

namespace {

const QString kSection = QStringLiteral("Settings");
constexpr int kFirstElementKey = 9003;

TColor FromQColor(const QColor& Color)
{
    return static_cast<TColor>(Color.red()) | static_cast<TColor>(Color.green()) << 8 |
           static_cast<TColor>(Color.blue()) << 16;
}

}  // namespace

TfrmSettings::TfrmSettings(const TLanguage& Language, std::vector<TLanguageChoice> Languages,
                           const TGeneral& General, const TDisplayLook& Look, QWidget* Owner)
    : QDialog(Owner), FLanguage(Language), FLanguages(std::move(Languages)),
      FStartLanguageFile(General.LanguageFile), FLook(Look)
{
    ChooseColor = [this](const QColor& Initial) -> std::optional<QColor> {
        // Qt's own titles would speak English under every interface language.
        const QColor color = QColorDialog::getColor(Initial, this, FLanguage.TextOrEnglish(kSection, 9104));
        return color.isValid() ? std::optional(color) : std::nullopt;
    };
    ChooseFont = [this](const QFont& Initial) -> std::optional<QFont> {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, Initial, this, FLanguage.TextOrEnglish(kSection, 9105));
        return ok ? std::optional(font) : std::nullopt;
    };
    CreateComponents();
    FormCreate(General);
}

void TfrmSettings::CreateComponents()
{
    setObjectName(QStringLiteral("frmSettings"));
    SetTag(this, 1);
    pagSettings = Named(new QTabWidget(this), "pagSettings");
    SetNameTag(pagSettings, 9103);
    SetNameTag(pagSettings->tabBar(), 9103);
    pagSettings->addTab(CreateGeneralTab(), QString());
    pagSettings->addTab(CreateLayoutTab(), QString());

    btnOK = Named(new QPushButton(this), "btnOK", 3001);
    btnOK->setDefault(true);
    btnCancel = Named(new QPushButton(this), "btnCancel", 3002);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(pagSettings);
    layout->addLayout(buttons);
    // Room for every caption in every language, never less than designed.
    layout->setSizeConstraint(QLayout::SetMinimumSize);
}

QWidget* TfrmSettings::CreateGeneralTab()
{
    tabGeneral = Named(new QWidget, "tabGeneral", 9001);
    auto* label = Named(new QLabel(tabGeneral), "mnuLanguageFile", 2001);
    cmbLanguages = Named(new QComboBox(tabGeneral), "cmbLanguages");
    SetNameTag(cmbLanguages, 9100);
    // Qt names a combo box on Linux by its current text: readers take the
    // name from the label that labels it.
    label->setBuddy(cmbLanguages);
    cmbLanguages->setMinimumWidth(273);
    lblGetMoreLanguages = Named(new TLinkLabel(tabGeneral), "lblGetMoreLanguages", 2002);
    lblGetMoreLanguages->OnClick = [this] {
        if (OnGetMoreLanguages)
            OnGetMoreLanguages();
    };
    chkMinimizeToTray = Named(new QCheckBox(tabGeneral), "chkMinimizeToTray", 6001);
    chkDisableBrowser = Named(new QCheckBox(tabGeneral), "chkDisableBrowser", 6002);
    chkCheckForUpdates = Named(new QCheckBox(tabGeneral), "chkCheckForUpdates", 6007);
    chkHideOnlineDictionaries = Named(new QCheckBox(tabGeneral), "chkHideOnlineDictionaries", 6008);

    auto* layout = new QVBoxLayout(tabGeneral);
    layout->setContentsMargins(8, 12, 8, 8);
    layout->addWidget(label);
    layout->addWidget(cmbLanguages);
    layout->addWidget(lblGetMoreLanguages);
    layout->addSpacing(24);
    for (QCheckBox* box : {chkMinimizeToTray, chkDisableBrowser, chkCheckForUpdates, chkHideOnlineDictionaries})
        layout->addWidget(box);
    layout->addStretch();
    return tabGeneral;
}

QWidget* TfrmSettings::CreateLayoutTab()
{
    tabLayout = Named(new QWidget, "tabLayout", 9002);
    btnFont = Named(new QPushButton(tabLayout), "btnFont", 3004);
    btnFont->setMinimumWidth(110);
    auto* lblElements = Named(new QLabel(tabLayout), "lblElements", 2003);
    auto* pnlElements = Named(new QFrame(tabLayout), "pnlElements");
    pnlElements->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pntElements = new TElementPreview(pnlElements);
    SetNameTag(pntElements, 9102);
    pntElements->SetLook(FLook);
    auto* panelLayout = new QVBoxLayout(pnlElements);
    panelLayout->setContentsMargins(2, 2, 2, 2);
    panelLayout->addWidget(pntElements);

    grpElement = Named(new QGroupBox(tabLayout), "grpElement");
    auto* lblElement = Named(new QLabel(grpElement), "lblElement", 2004);
    cmbElement = Named(new QComboBox(grpElement), "cmbElement");
    SetNameTag(cmbElement, 9101);
    lblElement->setBuddy(cmbElement);
    cmbElement->setMinimumWidth(130);
    btnColor = Named(new QPushButton(grpElement), "btnColor", 3003);
    chkBold = Named(new QCheckBox(grpElement), "chkBold", 6003);
    chkItalic = Named(new QCheckBox(grpElement), "chkItalic", 6004);
    chkUnderline = Named(new QCheckBox(grpElement), "chkUnderline", 6005);
    chkStrikeOut = Named(new QCheckBox(grpElement), "chkStrikeOut", 6006);

    auto* left = new QVBoxLayout;
    left->addWidget(lblElement);
    left->addWidget(cmbElement);
    left->addStretch();
    left->addWidget(btnColor);
    auto* right = new QVBoxLayout;
    right->setSpacing(2);
    for (QCheckBox* box : {chkBold, chkItalic, chkUnderline, chkStrikeOut})
        right->addWidget(box);
    auto* group = new QHBoxLayout(grpElement);
    group->setContentsMargins(8, 6, 8, 8);
    group->addLayout(left, 1);
    group->addSpacing(8);
    group->addLayout(right, 1);

    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(btnFont);
    fontRow->addStretch();
    auto* layout = new QVBoxLayout(tabLayout);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(fontRow);
    layout->addWidget(lblElements);
    layout->addWidget(pnlElements);
    layout->addWidget(grpElement);
    layout->addStretch();

    connect(btnFont, &QPushButton::clicked, this, [this] { btnFontClick(); });
    connect(btnColor, &QPushButton::clicked, this, [this] { btnColorClick(); });
    connect(cmbElement, &QComboBox::currentIndexChanged, this, [this] { cmbElementChange(); });
    const auto boxes = StyleBoxes();
    for (const auto& [box, flag] : boxes)
        connect(box, &QCheckBox::clicked, this, [this, b = box, f = flag] { StyleBoxClick(b, f); });
    pntElements->OnPick = [this](int Element) {
        cmbElement->setCurrentIndex(Element);
        // Picking the element already shown still shows its values afresh.
        cmbElementChange();
    };
    return tabLayout;
}

std::array<std::pair<QCheckBox*, TFontStyles>, 4> TfrmSettings::StyleBoxes() const
{
    return {{{chkBold, fsBold}, {chkItalic, fsItalic}, {chkUnderline, fsUnderline}, {chkStrikeOut, fsStrikeOut}}};
}

void TfrmSettings::FormCreate(const TGeneral& General)
{
    for (const TLanguageChoice& language : FLanguages)
        cmbLanguages->addItem(language.Name);
    cmbLanguages->setCurrentIndex(FindLanguage(FLanguages, General.LanguageFile));
    chkMinimizeToTray->setChecked(General.MinimizeToTray);
    chkDisableBrowser->setChecked(General.DisableBrowser);
    chkCheckForUpdates->setChecked(General.CheckForUpdates);
    chkHideOnlineDictionaries->setChecked(General.HideOnlineDictionaries);
    pagSettings->setCurrentWidget(tabGeneral);

    const QSignalBlocker quiet(cmbElement);
    for (int key = kFirstElementKey; key < kFirstElementKey + TDisplayLook::kElementCount; ++key)
        cmbElement->addItem(FLanguage.ReadLanguageText(kSection, key));
    cmbElement->setCurrentIndex(0);
    cmbElementChange();
}

TfrmSettings::TGeneral TfrmSettings::General() const
{
    TGeneral general;
    const int language = cmbLanguages->currentIndex();
    general.LanguageFile = language >= 0 && language < static_cast<int>(FLanguages.size())
                               ? FLanguages[language].FileName
                               : FStartLanguageFile;
    general.MinimizeToTray = chkMinimizeToTray->isChecked();
    general.DisableBrowser = chkDisableBrowser->isChecked();
    general.CheckForUpdates = chkCheckForUpdates->isChecked();
    general.HideOnlineDictionaries = chkHideOnlineDictionaries->isChecked();
    return general;
}

int TfrmSettings::SelectedElement() const
{
    return std::clamp(cmbElement->currentIndex(), 0, TDisplayLook::kElementCount - 1);
}

void TfrmSettings::cmbElementChange()
{
    const int e = SelectedElement();
    const bool background = e >= TDisplayLook::kFirstBackground;
    const auto boxes = StyleBoxes();
    for (const auto& [box, flag] : boxes) {
        box->setChecked(!background && (FLook.Styles[e] & flag));
        box->setEnabled(!background);
    }
}

void TfrmSettings::StyleBoxClick(QCheckBox* Box, TFontStyles Flag)
{
    const int e = SelectedElement();
    if (e >= TDisplayLook::kFirstBackground)
        return;
    if (Box->isChecked())
        FLook.Styles[e] |= Flag;
    else
        FLook.Styles[e] &= static_cast<TFontStyles>(~Flag);
    LookChanged();
}

void TfrmSettings::btnColorClick()
{
    const int e = SelectedElement();
    const std::optional<QColor> color = ChooseColor(ToQColor(FLook.Colors[e]));
    if (!color || !color->isValid())
        return;
    FLook.Colors[e] = FromQColor(color->toRgb());
    LookChanged();
}

void TfrmSettings::btnFontClick()
{
    QFont initial(FLook.FontName);
    initial.setPointSize(FLook.FontSize);
    const std::optional<QFont> font = ChooseFont(initial);
    if (!font)
        return;
    // Only the family and the size are kept: bold and the rest belong to the
    // elements.
    FLook.FontName = font->family();
    const int size = font->pointSize() > 0 ? font->pointSize() : qRound(font->pointSizeF());
    FLook.FontSize = BoundFontSize(size > 0 ? size : FLook.FontSize);
    LookChanged();
}

void TfrmSettings::LookChanged()
{
    pntElements->SetLook(FLook);
    if (OnLookChanged)
        OnLookChanged(FLook);
}

}  // namespace lirabo
