#pragma once

#include <QString>
#include <array>

#include "dictionary_view/dictionary_styles.h"

namespace lirabo {

// The font and the eight display elements as the settings keep them and the
// settings dialog edits them, in the settings order: 0 Entry, 1 Definition,
// 2 Field, 3 Grammar, 4 Link, 5 Background, 6 Current background,
// 7 Selected background. The style sets of the backgrounds are kept but
// never used.
struct TDisplayLook {
    static constexpr int kElementCount = 8;
    static constexpr int kFirstBackground = 5;
    static constexpr int kMinFontSize = 1;
    static constexpr int kMaxFontSize = 400;

    QString FontName = QStringLiteral("Verdana");
    int FontSize = 10;
    // 0x00BBGGRR.
    std::array<TColor, kElementCount> Colors{0x000000, 0x008001, 0x0000FF, 0x0080FF,
                                             0x800000, 0xFFFFFF, 0xD7D7D7, 0xFCC898};
    std::array<TFontStyles, kElementCount> Styles{0, 0, fsBold, 0, fsBold, 0, 0, 0};

    friend bool operator==(const TDisplayLook&, const TDisplayLook&) = default;
};

// A stored font size as the views can draw it: 0 or less (or anything not a
// size) is the default, and sizes beyond kMaxFontSize are cut to it.
int BoundFontSize(int Size);
// A stored colour number as the views take it: values outside 0..0xFFFFFF
// (the high byte of the platform's colour numbers names palette and system
// colours, which mean nothing here) give Default.
TColor BoundColor(long long Value, TColor Default);

}  // namespace lirabo
