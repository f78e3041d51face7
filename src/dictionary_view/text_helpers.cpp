#include "dictionary_view/text_helpers.h"

namespace lirabo {

std::string RemoveChars(std::string_view Text, const TCharSet& CharSet)
{
    std::string result;
    result.reserve(Text.size());
    for (const char c : Text)
        if (!CharSet.test(static_cast<unsigned char>(c)))
            result.push_back(c);
    return result;
}

namespace {

TCharSet MakeSet(int From, int To, std::string_view Extra = {})
{
    TCharSet set;
    for (int c = From; c <= To; ++c)
        set.set(static_cast<size_t>(c));
    for (const char c : Extra)
        set.set(static_cast<unsigned char>(c));
    return set;
}

}  // namespace

const TCharSet& CharsBelow32()
{
    static const TCharSet set = MakeSet(0, 31);
    return set;
}

const TCharSet& CharsBelow32ButBody()
{
    static const TCharSet set = [] {
        TCharSet s = MakeSet(0, 31);
        s.reset(1);
        return s;
    }();
    return set;
}

const TCharSet& WordDelimiters()
{
    static const TCharSet set = [] {
        TCharSet s = MakeSet(7, 31, " !(),./:;?[\\]{}");
        s.set(0);
        s.set(1);
        s.set(2);
        return s;
    }();
    return set;
}

}  // namespace lirabo
