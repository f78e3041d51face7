#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;
class QListWidget;
class QToolButton;

namespace lirabo {

// The relations panel at the main window's left: a framed list of a word's
// relations under a bold caption, with a button that closes the panel. It
// builds itself; the window fills the list and connects to its parts.
class TRelationsPanel : public QWidget {
public:
    explicit TRelationsPanel(QWidget* Parent);

    QGroupBox* grpRelations = nullptr;
    QLabel* lblRelations = nullptr;
    QToolButton* spdCloseRelations = nullptr;
    QListWidget* lstRelations = nullptr;
};

}  // namespace lirabo
