#include "dictionary_view/link_children.h"

#include <algorithm>
#include <string>

#include "dictionary_view/dictionary_view.h"
#include "dictionary_view/link_accessible.h"

namespace lirabo {

namespace {

TLinkAccessible* LinkOf(QAccessible::Id Id)
{
    return Id ? static_cast<TLinkAccessible*>(QAccessible::accessibleInterface(Id)) : nullptr;
}

// The pieces of one link, as the view records them line by line.
struct TLinkGroup {
    std::string Link;
    std::vector<TRect> Rects;
    int First = 0;
};

std::vector<TLinkGroup> GroupLinks(const std::vector<TLinkRect>& Pieces)
{
    std::vector<TLinkGroup> groups;
    for (size_t i = 0; i < Pieces.size(); ++i) {
        const TLinkRect& piece = Pieces[i];
        if (piece.Continued && !groups.empty())
            groups.back().Rects.push_back(piece.Rect);
        else
            groups.push_back({piece.Link, {piece.Rect}, static_cast<int>(i)});
    }
    // A link that never closes has no width and cannot be clicked.
    std::erase_if(groups, [](const TLinkGroup& Group) {
        return std::all_of(Group.Rects.begin(), Group.Rects.end(),
                           [](const TRect& Rect) { return Rect.Right <= Rect.Left; });
    });
    return groups;
}

}  // namespace

TLinkChildren::~TLinkChildren()
{
    for (QAccessible::Id id : FIds)
        if (QAccessible::accessibleInterface(id))
            QAccessible::deleteAccessibleInterface(id);
}

void TLinkChildren::Sync(TDictionaryView* View, TSend Send)
{
    const std::vector<TLinkGroup> groups = GroupLinks(View->Links());
    std::vector<QAccessible::Id> kept(groups.size(), 0);
    std::vector<QAccessible::Id> old = FIds;
    for (size_t g = 0; g < groups.size(); ++g) {
        for (QAccessible::Id& id : old) {
            const TLinkAccessible* link = LinkOf(id);
            if (link && link->Link() == groups[g].Link && link->Rects() == groups[g].Rects) {
                kept[g] = id;
                id = 0;
                break;
            }
        }
    }
    for (QAccessible::Id id : old) {
        if (QAccessibleInterface* gone = LinkOf(id)) {
            QAccessibleEvent event(gone, QAccessible::ObjectDestroyed);
            Send(event);
            QAccessible::deleteAccessibleInterface(id);
        }
    }
    std::vector<QAccessible::Id> created;
    for (size_t g = 0; g < groups.size(); ++g) {
        if (!LinkOf(kept[g])) {
            kept[g] = QAccessible::registerAccessibleInterface(
                new TLinkAccessible(View, groups[g].Link, groups[g].Rects));
            created.push_back(kept[g]);
        }
        LinkOf(kept[g])->SetFirstPiece(groups[g].First);
    }
    FIds = std::move(kept);
    for (QAccessible::Id id : created) {
        QAccessibleEvent event(LinkOf(id), QAccessible::ObjectCreated);
        Send(event);
    }
}

QAccessibleInterface* TLinkChildren::At(int Index) const
{
    return Index >= 0 && Index < Count() ? LinkOf(FIds[static_cast<size_t>(Index)]) : nullptr;
}

int TLinkChildren::IndexOf(const QAccessibleInterface* Child) const
{
    for (int j = 0; Child && j < Count(); ++j)
        if (At(j) == Child)
            return j;
    return -1;
}

int TLinkChildren::IndexAt(QPoint Local) const
{
    for (int j = 0; j < Count(); ++j)
        if (const TLinkAccessible* link = LinkOf(FIds[static_cast<size_t>(j)]))
            for (const TRect& piece : link->Rects())
                if (piece.Contains(Local.x(), Local.y()))
                    return j;
    return -1;
}

int TLinkChildren::IndexOfPiece(int Piece) const
{
    for (int j = 0; Piece >= 0 && j < Count(); ++j)
        if (const TLinkAccessible* link = LinkOf(FIds[static_cast<size_t>(j)]); link && link->HasPiece(Piece))
            return j;
    return -1;
}

}  // namespace lirabo
