#include "dictionary_view/dictionary_styles.h"

#include "dictionary_view/markup.h"

namespace lirabo {

TFontStyles StyleFromLetters(std::string_view Letters)
{
    TFontStyles styles = 0;
    for (const char c : Letters) {
        switch (c) {
            case 'b':
                styles |= fsBold;
                break;
            case 'i':
                styles |= fsItalic;
                break;
            case 'u':
                styles |= fsUnderline;
                break;
            case 's':
                styles |= fsStrikeOut;
                break;
            default:
                break;
        }
    }
    return styles;
}

std::string StyleToLetters(TFontStyles Styles)
{
    std::string letters;
    if (Styles & fsBold)
        letters += 'b';
    if (Styles & fsItalic)
        letters += 'i';
    if (Styles & fsUnderline)
        letters += 'u';
    if (Styles & fsStrikeOut)
        letters += 's';
    return letters;
}

int ElementOfSetting(int Index)
{
    static constexpr int kElements[] = {deEntry, deDefinition, deField, deGrammar, deLink};
    return Index >= 0 && Index < 5 ? kElements[Index] : 0;
}

TColor TDictionaryStyles::ElementColor(int Element) const
{
    return Valid(Element) ? FColors[static_cast<size_t>(Element)] : 0;
}

TFontStyles TDictionaryStyles::ElementStyle(int Element) const
{
    return Valid(Element) ? FStyles[static_cast<size_t>(Element)] : 0;
}

void TDictionaryStyles::SetElementColor(int Element, TColor Color)
{
    if (Valid(Element))
        FColors[static_cast<size_t>(Element)] = Color;
}

void TDictionaryStyles::SetElementStyle(int Element, TFontStyles Style)
{
    if (!Valid(Element) || FStyles[static_cast<size_t>(Element)] == Style)
        return;
    FStyles[static_cast<size_t>(Element)] = Style;
    if (FOnStyleChanged)
        FOnStyleChanged();
}

void TDictionaryStyles::ApplyWidthCode(unsigned char Code, int& Style, int& Remembered) const
{
    switch (Code) {
        case mcBold:
            Style ^= 1;
            break;
        case mcItalic:
            Style ^= 2;
            break;
        case mcDefinition:
        case mcGrammar:
        case mcField:
            Style = WidthStyle(Code - 5);
            break;
        case mcLinkStart:
            Remembered = Style;
            Style = WidthStyle(deLink);
            break;
        case mcLinkEnd:
            Style = Remembered;
            break;
        default:
            break;
    }
}

}  // namespace lirabo
