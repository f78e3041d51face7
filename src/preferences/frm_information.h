#pragma once

#include <QDialog>
#include <functional>

class QGroupBox;
class QPlainTextEdit;

namespace lirabo {

class TLanguage;
class TLinkLabel;

// The descriptive texts of a dictionary: its name as the group's title, its
// description, and its web site as a link.
class TfrmInformation : public QDialog {
    Q_OBJECT

public:
    // Texts as the dictionary's header holds them, already decoded; CR LF,
    // CR and LF in Information each start a new line. The owner then
    // applies section "Information".
    TfrmInformation(const QString& Name, const QString& Information, const QString& URL, QWidget* Owner);

    // A click on the web site; not called when the dictionary names none.
    std::function<void(const QString& Address)> OnOpenLink;

private:
    QGroupBox* grpInformation = nullptr;
    QPlainTextEdit* memInformation = nullptr;
    TLinkLabel* lblURL = nullptr;
};

}  // namespace lirabo
