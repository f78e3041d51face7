#include "preferences/frm_preset.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "language/language.h"
#include "language/language_apply.h"
#include "widgets/message_box.h"

namespace lirabo {

TfrmPreset::TfrmPreset(const TLanguage& Language, std::function<QStringList()> LoadPresets,
                       std::function<void(const QString& Name)> RemovePreset, QWidget* Owner)
    : QDialog(Owner), FLanguage(Language), FLoadPresets(std::move(LoadPresets)),
      FRemovePreset(std::move(RemovePreset))
{
    setObjectName(QStringLiteral("frmPreset"));
    SetTag(this, 1);
    auto* lblPreset = Named(new QLabel(this), "lblPreset", 1001);
    lstPreset = Named(new QListWidget(this), "lstPreset");
    SetNameTag(lstPreset, 9100);
    btnRemove = Named(new QPushButton(this), "btnRemove", 2001);
    btnClose = Named(new QPushButton(this), "btnClose", 2002);
    // Esc closes through QDialog's own reject.
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnRemove, &QPushButton::clicked, this, [this] { btnRemoveClick(); });

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(btnRemove);
    buttons->addStretch();
    buttons->addWidget(btnClose);
    auto* row = new QHBoxLayout;
    row->addWidget(lstPreset, 1);
    row->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblPreset);
    layout->addLayout(row);
    setMinimumSize(260, 155);
    resize(260, 155);
}

void TfrmPreset::Refresh()
{
    lstPreset->clear();
    lstPreset->addItems(FLoadPresets());
    if (lstPreset->count() > 0)
        lstPreset->setCurrentRow(0);
    btnRemove->setEnabled(lstPreset->count() > 0);
}

void TfrmPreset::btnRemoveClick()
{
    const QString question = FLanguage.ReadLanguageText(QStringLiteral("Preset"), 8001);
    if (TMessageBox::Question(this, question) != TMessageBox::TAnswer::Yes)
        return;
    if (QListWidgetItem* item = lstPreset->currentItem())
        FRemovePreset(item->text());
    Refresh();
}

}  // namespace lirabo
