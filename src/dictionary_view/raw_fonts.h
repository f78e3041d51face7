#pragma once

#include <QRawFont>
#include <cstdint>
#include <vector>

namespace lirabo {

// The fonts glyphs are drawn from, numbered: the view's own font in its
// four styles first, then each fallback font as it is first needed. Glyph
// caches and shaped words keep numbers rather than fonts.
class TRawFonts {
public:
    // The number of Font, added when it is new.
    uint16_t Add(const QRawFont& Font);
    // Font number Index; an invalid font for an unknown number.
    const QRawFont& At(uint16_t Index) const;
    void Clear() { FFonts.clear(); }

private:
    std::vector<QRawFont> FFonts;
};

}  // namespace lirabo
