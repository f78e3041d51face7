#pragma once

#include <string>
#include <string_view>

#include "dictionary/word_item.h"
#include "dictionary_view/break_opportunities.h"
#include "dictionary_view/dictionary_styles.h"
#include "dictionary_view/markup.h"
#include "dictionary_view/text_metrics.h"
#include "dictionary_view/word_measure.h"

namespace lirabo {

// Wraps entry text (UTF-8 with mark-up codes) into screen lines. It knows
// nothing of fonts: the owner injects the metrics it measured, so layout is
// the same wherever the metrics are the same, and it measures a word at a
// time exactly as the walk that places the text does.
class TEntryLayout {
public:
    // Styles must outlive the layout; only bold and italic of each element
    // matter here.
    explicit TEntryLayout(const TDictionaryStyles& Styles) : FStyles(Styles) {}

    // Metrics must outlive the layout (or be replaced first); set them again
    // whenever they change, as after a font change.
    void SetMetrics(const TTextMetrics* Metrics) { FMeasure.SetMetrics(Metrics); }
    const TWordMeasure& Measure() const { return FMeasure; }
    int LineHeight() const { return FMeasure.LineHeight(); }

    // The x of the definition column.
    int Indent() const { return FIndent; }
    void SetIndent(int Indent) { FIndent = Indent; }

    const TDictionaryStyles& Styles() const { return FStyles; }

    // The text the view shows for an entry: headword, byte 1, body.
    static std::string DisplayText(const TWordItem& Item);

    // Lays Text out for right limit W (text may reach x = W): a soft break
    // goes after the spaces before every word that would pass W, or between
    // two characters of a script written without spaces. A word with no
    // break before it on its line is never broken. The text ends at the
    // first byte 0, 2 or 16..31. Never splits a character.
    void WrapEntry(TProcessedItem& Item, std::string_view Text, int W) const;
    // The lines WrapEntry would give, without building the text.
    int CountLines(std::string_view Text, int W) const;

private:
    int Wrap(std::string_view Text, int W, std::string* Out) const;

    const TDictionaryStyles& FStyles;
    TWordMeasure FMeasure;
    int FIndent = 0;
    // Scratch kept between entries.
    mutable TBreakOpportunities FOpportunities;
    mutable std::vector<TTextCell> FCells;
};

}  // namespace lirabo
