#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>

class QListWidget;
class QPushButton;

namespace lirabo {

class TLanguage;

// The window that removes presets: the list of their names, Delete (after a
// question) and Close. It stays open until closed, so that several presets
// can go in one visit.
class TfrmPreset : public QDialog {
    Q_OBJECT

public:
    // LoadPresets rebuilds the owner's preset menu and gives the names in
    // menu order; RemovePreset deletes one stored preset. The owner then
    // applies section "Preset" and calls Refresh.
    TfrmPreset(const TLanguage& Language, std::function<QStringList()> LoadPresets,
               std::function<void(const QString& Name)> RemovePreset, QWidget* Owner);

    // Reloads the list from the store and selects the first name.
    void Refresh();

private:
    void btnRemoveClick();

    const TLanguage& FLanguage;
    std::function<QStringList()> FLoadPresets;
    std::function<void(const QString&)> FRemovePreset;
    QListWidget* lstPreset = nullptr;
    QPushButton* btnRemove = nullptr;
    QPushButton* btnClose = nullptr;
};

}  // namespace lirabo
