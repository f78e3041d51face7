#include "preferences/frm_information.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "language/language.h"
#include "language/language_apply.h"
#include "widgets/link_label.h"

namespace lirabo {

namespace {

const QString kSection = QStringLiteral("Information");
constexpr int kLanguageWidth = 16;  // characters a language choice shows before it widens the dialog

// Unknown first, then every language by its name. Selected is the code shown.
QComboBox* LanguageChoice(QWidget* Parent, const char* Name, const QString& Unknown,
                          const std::string& Selected)
{
    auto* box = Named(new QComboBox(Parent), Name);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(kLanguageWidth);
    std::vector<std::pair<QString, std::string>> languages;
    for (const std::string_view code : LanguageCodes())
        languages.emplace_back(LanguageName(std::string(code)), std::string(code));
    std::sort(languages.begin(), languages.end(),
              [](const auto& A, const auto& B) { return QString::localeAwareCompare(A.first, B.first) < 0; });
    box->addItem(Unknown, QString());
    for (const auto& [name, code] : languages)
        box->addItem(name, QString::fromStdString(code));
    box->setCurrentIndex(std::max(0, box->findData(QString::fromStdString(Selected))));
    return box;
}

}  // namespace

TfrmInformation::TfrmInformation(const TLanguage& Language, const QString& Name, const QString& Information,
                                 const QString& URL, const TDictionaryLanguages& Stated,
                                 const TDictionaryLanguages& Chosen, QWidget* Owner)
    : QDialog(Owner), FStated(Stated), FChosen(Chosen)
{
    setObjectName(QStringLiteral("frmInformation"));
    SetTag(this, 1);
    // The group's title is the dictionary's name, not a language text.
    grpInformation = Named(new QGroupBox(Name, this), "grpInformation");
    auto* lblInformation = Named(new QLabel(grpInformation), "lblInformation", 2001);
    memInformation = Named(new QPlainTextEdit(grpInformation), "memInformation");
    SetNameTag(memInformation, 9100);
    memInformation->setReadOnly(true);
    memInformation->setFocusPolicy(Qt::ClickFocus);
    memInformation->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memInformation->setBackgroundRole(QPalette::Button);
    QPalette palette = memInformation->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    memInformation->setPalette(palette);
    QString text = Information;
    text.replace(QRegularExpression(QStringLiteral("\r\n|\r")), QStringLiteral("\n"));
    memInformation->setPlainText(text);
    auto* lblWebSite = Named(new QLabel(grpInformation), "lblWebSite", 2002);
    lblURL = Named(new TLinkLabel(grpInformation), "lblURL");
    lblURL->setText(URL);
    lblURL->OnClick = [this, URL] {
        if (!URL.trimmed().isEmpty() && OnOpenLink)
            OnOpenLink(URL.trimmed());
    };

    // Language files from before the languages were shown lack these
    // texts; an unlabelled choice would be worse than English.
    const QString unknown = Language.TextOrEnglish(kSection, 2005);
    auto* lblHeadwordLanguage =
        Named(new QLabel(Language.TextOrEnglish(kSection, 2003), grpInformation), "lblHeadwordLanguage");
    cmbHeadwordLanguage = LanguageChoice(grpInformation, "cmbHeadwordLanguage", unknown,
                                         Stated.Headword.empty() ? Chosen.Headword : Stated.Headword);
    auto* lblDefinitionLanguage =
        Named(new QLabel(Language.TextOrEnglish(kSection, 2004), grpInformation), "lblDefinitionLanguage");
    cmbDefinitionLanguage = LanguageChoice(grpInformation, "cmbDefinitionLanguage", unknown,
                                           Stated.Definition.empty() ? Chosen.Definition : Stated.Definition);
    // The labels name the choices for assistive tools too: as their label
    // where the platform says what a list shows in its name (Linux), as
    // their name elsewhere.
    lblHeadwordLanguage->setBuddy(cmbHeadwordLanguage);
    lblDefinitionLanguage->setBuddy(cmbDefinitionLanguage);
    SetNameTag(cmbHeadwordLanguage, 9101);
    SetNameTag(cmbDefinitionLanguage, 9102);
    // What the file states is its own word, shown but not open to change.
    const QString stated = Language.TextOrEnglish(kSection, 2006);
    for (auto [box, fromFile] : {std::pair{cmbHeadwordLanguage, !Stated.Headword.empty()},
                                 std::pair{cmbDefinitionLanguage, !Stated.Definition.empty()}}) {
        box->setEnabled(!fromFile);
        if (fromFile)
            box->setToolTip(PlainToolTip(stated));
    }

    auto* btnOK = Named(new QPushButton(this), "btnOK", 3001);
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* group = new QVBoxLayout(grpInformation);
    group->addWidget(lblInformation);
    group->addWidget(memInformation, 1);
    group->addSpacing(6);
    group->addWidget(lblWebSite);
    group->addWidget(lblURL);
    group->addSpacing(6);
    group->addWidget(lblHeadwordLanguage);
    group->addWidget(cmbHeadwordLanguage);
    group->addWidget(lblDefinitionLanguage);
    group->addWidget(cmbDefinitionLanguage);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grpInformation, 1);
    layout->addLayout(buttons);
    setMinimumSize(281, 380);
    resize(281, 380);
}

TDictionaryLanguages TfrmInformation::ChosenLanguages() const
{
    const auto shown = [](const QComboBox* Box) { return Box->currentData().toString().toStdString(); };
    return {FStated.Headword.empty() ? shown(cmbHeadwordLanguage) : FChosen.Headword,
            FStated.Definition.empty() ? shown(cmbDefinitionLanguage) : FChosen.Definition};
}

}  // namespace lirabo
