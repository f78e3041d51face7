#include "dictionary_view/text_boundaries.h"

#include <unicode/ubrk.h>
#include <unicode/utext.h>

#include "dictionary_view/char_class.h"

namespace lirabo {

namespace {

// One break iterator per kind and thread, opened on first use: opening one
// loads ICU's rules, which takes far longer than any use of it.
class TIterators {
public:
    ~TIterators()
    {
        for (UBreakIterator* iterator : FIterators)
            if (iterator)
                ubrk_close(iterator);
    }

    // The iterator of Type over Text, which must outlive its use; null when
    // ICU cannot give one.
    UBreakIterator* Over(UBreakIteratorType Type, std::string_view Text)
    {
        UBreakIterator*& iterator = FIterators[Type];
        UErrorCode status = U_ZERO_ERROR;
        if (!iterator) {
            iterator = ubrk_open(Type, "", nullptr, 0, &status);
            if (U_FAILURE(status)) {
                iterator = nullptr;
                return nullptr;
            }
        }
        UText local = UTEXT_INITIALIZER;
        UText* text = utext_openUTF8(&local, Text.data(), static_cast<int64_t>(Text.size()), &status);
        // The iterator keeps its own shallow copy of the UText, not the bytes.
        ubrk_setUText(iterator, text, &status);
        utext_close(text);
        return U_SUCCESS(status) ? iterator : nullptr;
    }

private:
    UBreakIterator* FIterators[UBRK_SENTENCE + 1] = {};
};

UBreakIterator* IteratorOver(UBreakIteratorType Type, std::string_view Text)
{
    thread_local TIterators iterators;
    return iterators.Over(Type, Text);
}

}  // namespace

void ClusterEnds(std::string_view Text, std::vector<uint32_t>& Out)
{
    Out.clear();
    if (Text.empty())
        return;
    if (UBreakIterator* iterator = IteratorOver(UBRK_CHARACTER, Text)) {
        ubrk_first(iterator);
        for (int32_t end = ubrk_next(iterator); end != UBRK_DONE; end = ubrk_next(iterator))
            Out.push_back(static_cast<uint32_t>(end));
    }
    if (Out.empty() || Out.back() != Text.size()) {
        Out.clear();
        for (size_t i = 0; i < Text.size();) {
            NextChar(Text, i);
            Out.push_back(static_cast<uint32_t>(i));
        }
    }
}

void LineBreaks(std::string_view Text, std::vector<uint32_t>& Out)
{
    Out.clear();
    if (Text.empty())
        return;
    if (UBreakIterator* iterator = IteratorOver(UBRK_LINE, Text)) {
        ubrk_first(iterator);
        for (int32_t at = ubrk_next(iterator); at != UBRK_DONE; at = ubrk_next(iterator))
            if (at > 0 && static_cast<size_t>(at) < Text.size())
                Out.push_back(static_cast<uint32_t>(at));
    }
}

TWordBounds WordAround(std::string_view Text, size_t Offset)
{
    if (Offset >= Text.size())
        return {Text.size(), Text.size()};
    size_t next = Offset;
    NextChar(Text, next);
    TWordBounds bounds{Offset, next};
    if (UBreakIterator* iterator = IteratorOver(UBRK_WORD, Text)) {
        const int32_t end = ubrk_following(iterator, static_cast<int32_t>(Offset));
        const int32_t begin = end == UBRK_DONE ? UBRK_DONE : ubrk_preceding(iterator, end);
        if (begin != UBRK_DONE && static_cast<size_t>(begin) <= Offset && static_cast<size_t>(end) > Offset)
            bounds = {static_cast<size_t>(begin), static_cast<size_t>(end)};
    }
    return bounds;
}

}  // namespace lirabo
