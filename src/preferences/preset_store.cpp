#include "preferences/preset_store.h"

#include <QSettings>
#include <algorithm>
#include <limits>

#include "preferences/stored_integer.h"

namespace lirabo {

namespace {

const QString kGroup = QStringLiteral("Presets");

// Far beyond any screen and far from overflow in the window's arithmetic.
constexpr int kMinWindowSize = 100;
constexpr int kMaxCoordinate = 1 << 16;
constexpr int kMaxIndent = 1 << 20;

std::optional<int> StoredInt(const QSettings& Key, const QString& Name)
{
    qlonglong number = 0;
    if (!StoredInteger(Key.value(Name), number) || number < std::numeric_limits<int>::min() ||
        number > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(number);
}

int Within(const std::optional<int>& Value, int Low, int High, int Default)
{
    return Value && *Value >= Low && *Value <= High ? *Value : Default;
}

}  // namespace

QStringList TPresetStore::Names() const
{
    FKey.beginGroup(kGroup);
    QStringList names = FKey.childGroups();
    FKey.endGroup();
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return names;
}

TPresetStore::TNameCheck TPresetStore::CheckName(const QString& Name) const
{
    const QString name = Name.trimmed();
    if (name.isEmpty() || name.size() > kMaxNameLength)
        return TNameCheck::Invalid;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            return TNameCheck::Invalid;
    }
    for (const QString& stored : Names()) {
        if (stored.compare(name, Qt::CaseInsensitive) == 0)
            return TNameCheck::Duplicate;
    }
    return TNameCheck::Ok;
}

void TPresetStore::AddPreset(const QString& Name, const TPresetLayout& Current, int WindowState)
{
    FKey.beginGroup(kGroup + QLatin1Char('/') + Name.trimmed());
    FKey.setValue(QStringLiteral("WindowHeight"), Current.Height);
    FKey.setValue(QStringLiteral("WindowWidth"), Current.Width);
    FKey.setValue(QStringLiteral("WindowLeft"), Current.Left);
    FKey.setValue(QStringLiteral("WindowTop"), Current.Top);
    FKey.setValue(QStringLiteral("WindowTransparency"), Current.Transparency);
    if (WindowState == 1 || WindowState == 2)
        FKey.setValue(QStringLiteral("WindowState"), WindowState);
    FKey.setValue(QStringLiteral("Indent"), Current.Indent);
    FKey.setValue(QStringLiteral("TopIndent"), Current.TopIndent);
    FKey.endGroup();
}

TStoredPreset TPresetStore::ReadPreset(const QString& Name) const
{
    TStoredPreset preset;
    FKey.beginGroup(kGroup + QLatin1Char('/') + Name);
    preset.Width = StoredInt(FKey, QStringLiteral("WindowWidth"));
    preset.Height = StoredInt(FKey, QStringLiteral("WindowHeight"));
    preset.Left = StoredInt(FKey, QStringLiteral("WindowLeft"));
    preset.Top = StoredInt(FKey, QStringLiteral("WindowTop"));
    preset.Transparency = StoredInt(FKey, QStringLiteral("WindowTransparency"));
    preset.Indent = StoredInt(FKey, QStringLiteral("Indent"));
    preset.TopIndent = StoredInt(FKey, QStringLiteral("TopIndent"));
    preset.Kind = StoredInt(FKey, QStringLiteral("Kind")).value_or(0);
    FKey.endGroup();
    return preset;
}

void TPresetStore::RemovePreset(const QString& Name)
{
    FKey.remove(kGroup + QLatin1Char('/') + Name);
}

TPresetLayout TPresetStore::Resolve(const TStoredPreset& Stored, const std::array<TPresetLayout, 3>& BuiltIn,
                                    const TPresetLayout& Current)
{
    // Kinds beyond the built-in layouts have no layout of their own; the
    // stored values are the best guess at what was meant.
    if (Stored.Kind >= 1 && Stored.Kind <= 3)
        return BuiltIn[Stored.Kind - 1];
    TPresetLayout layout;
    layout.Width = Within(Stored.Width, kMinWindowSize, kMaxCoordinate, Current.Width);
    layout.Height = Within(Stored.Height, kMinWindowSize, kMaxCoordinate, Current.Height);
    layout.Left = Within(Stored.Left, -kMaxCoordinate, kMaxCoordinate, Current.Left);
    layout.Top = Within(Stored.Top, -kMaxCoordinate, kMaxCoordinate, Current.Top);
    layout.Transparency = Within(Stored.Transparency, 0, 255, Current.Transparency);
    layout.TopIndent = Within(Stored.TopIndent, 0, kMaxIndent, kDefaultIndent);
    layout.Indent = Within(Stored.Indent, 0, kMaxIndent, kDefaultIndent);
    return layout;
}

std::array<TPresetLayout, 3> TPresetStore::BuiltInLayouts(int ScreenWidth, int ScreenHeight)
{
    const int w = ScreenWidth;
    const int h = ScreenHeight;
    return {{
        {500, 500, (w - 500) / 2, (h - 500) / 2, 255, 300, 200},
        {200, h, w - 200, 0, 225, 175, 10},
        {200, h, 0, 0, 225, 175, 10},
    }};
}

}  // namespace lirabo
