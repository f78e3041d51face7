#include "preferences/frm_about.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/icons.h"
#include "language/language.h"
#include "language/language_apply.h"
#include "widgets/link_label.h"

namespace lirabo {

namespace {

constexpr int kLogoSize = 64;

QWidget* CreateLogo(QWidget* Parent)
{
    auto* pnlLogo = Named(new QWidget(Parent), "pnlLogo");
    pnlLogo->setAutoFillBackground(true);
    QPalette palette = pnlLogo->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, QColor(0x20, 0x20, 0x20));
    pnlLogo->setPalette(palette);
    auto* image = Named(new QLabel(pnlLogo), "Image1");
    image->setPixmap(MakeIcon(TIconKind::Application).pixmap(kLogoSize, kLogoSize));
    auto* name = new QLabel(QStringLiteral("Lirabo"), pnlLogo);
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 2.2);
    big.setBold(true);
    name->setFont(big);
    auto* layout = new QHBoxLayout(pnlLogo);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->addStretch();
    layout->addWidget(image);
    layout->addSpacing(10);
    layout->addWidget(name);
    layout->addStretch();
    return pnlLogo;
}

TLinkLabel* CenteredLink(QWidget* Parent, const char* Name, const QString& Text)
{
    auto* link = new TLinkLabel(Parent);
    link->setObjectName(QLatin1String(Name));
    link->setText(Text);
    return link;
}

}  // namespace

QString TfrmAbout::FileVersionText(const QString& Version)
{
    if (Version.isEmpty())
        return {};
    QStringList parts = Version.split(QLatin1Char('.'));
    while (parts.size() < 4)
        parts << QStringLiteral("0");
    return parts.join(QLatin1Char('.'));
}

TfrmAbout::TfrmAbout(const TLanguage& Language, const QString& Version, const QString& WebSite,
                     const QString& Email, QWidget* Owner)
    : QDialog(Owner)
{
    setObjectName(QStringLiteral("frmAbout"));
    SetTag(this, 1);
    auto* lblVersion = Named(new QLabel(this), "lblVersion");
    lblVersion->setText(Language.ReadLanguageText(QStringLiteral("About"), 9001) + QLatin1Char(' ') +
                        FileVersionText(Version));
    QFont bold = lblVersion->font();
    bold.setBold(true);
    lblVersion->setFont(bold);
    lblVersion->setAlignment(Qt::AlignCenter);
    auto* rights = Named(new QLabel(QStringLiteral("Copyright \u00A9 2026 Kestrune"), this), "lblRights");
    rights->setAlignment(Qt::AlignCenter);
    TLinkLabel* lblURL = CenteredLink(this, "lblURL", WebSite);
    TLinkLabel* lblEmail = CenteredLink(this, "lblEmail", Email);
    lblURL->OnClick = [this, WebSite] {
        if (OnOpenLink)
            OnOpenLink(WebSite);
    };
    lblEmail->OnClick = [this, Email] {
        if (OnOpenLink)
            OnOpenLink(QStringLiteral("mailto:") + Email);
    };
    auto* btnOK = Named(new QPushButton(this), "btnOK", 3001);
    btnOK->setDefault(true);
    btnOK->setMinimumWidth(75);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 12, 12, 12);
    body->addWidget(lblVersion);
    body->addSpacing(8);
    body->addWidget(rights);
    body->addSpacing(8);
    body->addWidget(lblURL, 0, Qt::AlignHCenter);
    body->addWidget(lblEmail, 0, Qt::AlignHCenter);
    body->addSpacing(16);
    body->addStretch();
    body->addWidget(btnOK, 0, Qt::AlignHCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(CreateLogo(this));
    layout->addLayout(body);
    // Not resizable, but as large as a longer translation needs.
    setFixedSize(layout->sizeHint().expandedTo(QSize(222, 260)));
}

}  // namespace lirabo
