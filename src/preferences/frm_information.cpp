#include "preferences/frm_information.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include "language/language_apply.h"
#include "widgets/link_label.h"

namespace lirabo {

TfrmInformation::TfrmInformation(const QString& Name, const QString& Information, const QString& URL,
                                 QWidget* Owner)
    : QDialog(Owner)
{
    setObjectName(QStringLiteral("frmInformation"));
    SetTag(this, 1);
    // The group's title is the dictionary's name, not a language text.
    grpInformation = Named(new QGroupBox(Name, this), "grpInformation");
    auto* lblInformation = Named(new QLabel(grpInformation), "lblInformation", 2001);
    memInformation = Named(new QPlainTextEdit(grpInformation), "memInformation");
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

    auto* btnOK = Named(new QPushButton(this), "btnOK", 3001);
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* group = new QVBoxLayout(grpInformation);
    group->addWidget(lblInformation);
    group->addWidget(memInformation, 1);
    group->addSpacing(6);
    group->addWidget(lblWebSite);
    group->addWidget(lblURL);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grpInformation, 1);
    layout->addLayout(buttons);
    setMinimumSize(281, 300);
    resize(281, 300);
}

}  // namespace lirabo
