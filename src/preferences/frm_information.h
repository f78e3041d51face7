#pragma once

#include <QDialog>
#include <functional>

#include "preferences/dictionary_languages.h"

class QComboBox;
class QGroupBox;
class QPlainTextEdit;

namespace lirabo {

class TLanguage;
class TLinkLabel;

// The descriptive texts of a dictionary: its name as the group's title, its
// description, its web site as a link, and the languages of its headwords
// and definitions. A language the file does not state can be chosen here;
// the owner keeps the choice for the file.
class TfrmInformation : public QDialog {
    Q_OBJECT

public:
    // Texts as the dictionary's header holds them, already decoded; CR LF,
    // CR and LF in Information each start a new line. Stated are the
    // languages the file names, Chosen those the person chose for it
    // before. The owner then applies section "Information".
    TfrmInformation(const TLanguage& Language, const QString& Name, const QString& Information,
                    const QString& URL, const TDictionaryLanguages& Stated,
                    const TDictionaryLanguages& Chosen, QWidget* Owner);

    // A click on the web site; not called when the dictionary names none.
    std::function<void(const QString& Address)> OnOpenLink;

    // The choice as the dialog shows it when closed: for a side the file
    // states, what was chosen before, untouched.
    TDictionaryLanguages ChosenLanguages() const;

private:
    QGroupBox* grpInformation = nullptr;
    QPlainTextEdit* memInformation = nullptr;
    TLinkLabel* lblURL = nullptr;
    QComboBox* cmbHeadwordLanguage = nullptr;
    QComboBox* cmbDefinitionLanguage = nullptr;
    TDictionaryLanguages FStated;
    TDictionaryLanguages FChosen;
};

}  // namespace lirabo
