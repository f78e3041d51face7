#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

class QSettings;

namespace lirabo {

// A main-window layout: what a preset restores.
struct TPresetLayout {
    int Width, Height, Left, Top, Transparency, TopIndent, Indent;

    friend bool operator==(const TPresetLayout&, const TPresetLayout&) = default;
};

// A preset as the store holds it: any value may be missing, of another type
// or out of range (the store is a text file people edit).
struct TStoredPreset {
    std::optional<int> Width, Height, Left, Top, Transparency, Indent, TopIndent;
    int Kind = 0;  // 1..3: a built-in layout; anything else: the values above
};

// The named layouts under "Presets" of the program's settings, one group per
// preset named after it.
class TPresetStore {
public:
    static constexpr int kMaxNameLength = 64;
    static constexpr int kDefaultIndent = 200;

    enum class TNameCheck { Ok, Invalid, Duplicate };

    explicit TPresetStore(QSettings& Key) : FKey(Key) {}

    // In alphabetical order without regard to case, as menus list them.
    QStringList Names() const;

    // Empty and blank names, names over kMaxNameLength characters and names
    // with a control character, "/" or "\" (which the store would take for
    // a path of groups) are Invalid; a name that equals a stored one without
    // regard to case is a Duplicate. Name is checked as AddPreset stores it,
    // without blanks at its ends.
    TNameCheck CheckName(const QString& Name) const;

    // Stores Current under Name (trimmed). WindowState is 1 for a normal and
    // 2 for a maximised window, and 0 for a minimised one, whose state is
    // not stored. The caller has checked the name.
    void AddPreset(const QString& Name, const TPresetLayout& Current, int WindowState);

    // A preset that is gone reads with every value missing.
    TStoredPreset ReadPreset(const QString& Name) const;
    void RemovePreset(const QString& Name);

    // The layout a stored preset gives: a built-in one for Kind 1..3, else
    // its values, each one missing or out of range replaced by the current
    // window's (the indents by kDefaultIndent).
    static TPresetLayout Resolve(const TStoredPreset& Stored, const std::array<TPresetLayout, 3>& BuiltIn,
                                 const TPresetLayout& Current);

    // The three built-in layouts for a screen of the given size: a window
    // of 500 by 500 in its middle, and a bar of the screen's height at its
    // right and at its left edge.
    static std::array<TPresetLayout, 3> BuiltInLayouts(int ScreenWidth, int ScreenHeight);

private:
    QSettings& FKey;
};

}  // namespace lirabo
