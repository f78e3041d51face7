#pragma once

#include <QAccessible>
#include <QPoint>
#include <vector>

namespace lirabo {

class TDictionaryView;

// The links on screen as accessible children of the view (TLinkAccessible),
// one per link however many lines it is wrapped over. A link that stays the
// same text in the same place keeps its child from paint to paint, so a
// reader's place among them survives a repaint.
//
// The children are registered with Qt's accessibility cache, which deletes
// whatever is still registered when it goes: they are only reached through
// their ids, and those it deleted are skipped.
class TLinkChildren {
public:
    TLinkChildren() = default;
    TLinkChildren(const TLinkChildren&) = delete;
    TLinkChildren& operator=(const TLinkChildren&) = delete;
    // Deletes the children still registered.
    ~TLinkChildren();

    using TSend = void (*)(QAccessibleEvent& Event);
    // Brings the children in line with View's links of its last paint,
    // sending ObjectDestroyed for each that goes (before it is deleted) and
    // ObjectCreated for each that comes.
    void Sync(TDictionaryView* View, TSend Send);

    int Count() const { return static_cast<int>(FIds.size()); }
    // Child Index, nullptr when there is none.
    QAccessibleInterface* At(int Index) const;
    // The index of Child, -1 when it is none of these.
    int IndexOf(const QAccessibleInterface* Child) const;
    // The child with a piece under Local (client pixels), -1 for none.
    int IndexAt(QPoint Local) const;
    // The child that holds piece Piece of the view's Links(), -1 for none.
    int IndexOfPiece(int Piece) const;

private:
    std::vector<QAccessible::Id> FIds;
};

}  // namespace lirabo
