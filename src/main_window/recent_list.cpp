#include "main_window/recent_list.h"

namespace lirabo {

bool TRecentList::Contains(const QString& Word) const
{
    return FWords.contains(Word, Qt::CaseInsensitive);
}

bool TRecentList::Record(const QString& Word)
{
    // An empty line in the list could only be picked to empty the box.
    if (Word.isEmpty() || Contains(Word))
        return false;
    InsertOnTop(Word);
    return true;
}

void TRecentList::InsertOnTop(const QString& Word)
{
    FWords.prepend(Word);
    DropOverflow();
}

void TRecentList::DropOverflow()
{
    if (FWords.size() > kLimit)
        FWords.removeAt(kLimit);
}

}  // namespace lirabo
