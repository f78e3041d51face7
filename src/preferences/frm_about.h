#pragma once

#include <QDialog>
#include <functional>

namespace lirabo {

class TLanguage;

// The about box: the logo, the version, the rights line and the links to
// the maker's web site and support address.
class TfrmAbout : public QDialog {
    Q_OBJECT

public:
    // Version as the build states it ("0.1.0.1"). The version line is written
    // here, from key 9001 of section "About"; the owner then applies that
    // section to the rest.
    TfrmAbout(const TLanguage& Language, const QString& Version, const QString& WebSite, const QString& Email,
              QWidget* Owner);

    // A click on the web site or the address ("mailto:" and the address).
    std::function<void(const QString& Address)> OnOpenLink;

    // Version as the four-part file version text: missing parts are 0, so
    // "0.1.0" is "0.1.0.0". Empty stays empty.
    static QString FileVersionText(const QString& Version);
};

}  // namespace lirabo
