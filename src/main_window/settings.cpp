#include "main_window/settings.h"

#include <QSettings>
#include <QVariant>
#include <cmath>
#include <limits>
#include <utility>
#include <variant>

#include "network/update_day_count.h"
#include "preferences/stored_integer.h"
#include "network/update_server.h"

namespace lirabo {

namespace {

// The table of typed keys: one row per stored value with the field it fills.
// The field's initial value in TSettings is the default.
using TField = std::variant<int TSettings::*, bool TSettings::*, QString TSettings::*>;

struct TKey {
    const char* Name;
    TField Field;
};

const TKey kTable[] = {
    {"CurrentDictionary", &TSettings::CurrentDictionary},
    {"LookinWidth", &TSettings::LookinWidth},
    {"LanguageFile", &TSettings::LanguageFile},
    {"MinimizeToTray", &TSettings::MinimizeToTray},
    {"DisableBrowser", &TSettings::DisableBrowser},
    {"CheckForUpdates", &TSettings::CheckForUpdates},
    {"HideOnlineDictionaries", &TSettings::HideOnlineDictionaries},
    {"ClipboardTranslation", &TSettings::ClipboardTranslation},
    {"SelectionTranslation", &TSettings::SelectionTranslation},
    {"VocabularyFile", &TSettings::VocabularyFile},
    {"AlwaysOnTop", &TSettings::AlwaysOnTop},
    {"ShowTips", &TSettings::ShowTips},
    {"ShowRelations", &TSettings::ShowRelations},
    {"SearchDefinitions", &TSettings::SearchDefinitions},
    {"CurrentTip", &TSettings::CurrentTip},
    {"Indent", &TSettings::Indent},
    {"TopIndent", &TSettings::TopIndent},
    {"FontName", &TSettings::FontName},
    {"FontSize", &TSettings::FontSize},
    {"ColorEntry", &TSettings::ColorEntry},
    {"ColorDefinition", &TSettings::ColorDefinition},
    {"ColorField", &TSettings::ColorField},
    {"ColorGrammar", &TSettings::ColorGrammar},
    {"ColorLink", &TSettings::ColorLink},
    {"ColorBackground", &TSettings::ColorBackground},
    {"ColorCurrentBackground", &TSettings::ColorCurrentBackground},
    {"ColorSelectedBackground", &TSettings::ColorSelectedBackground},
    {"StyleEntry", &TSettings::StyleEntry},
    {"StyleDefinition", &TSettings::StyleDefinition},
    {"StyleField", &TSettings::StyleField},
    {"StyleGrammar", &TSettings::StyleGrammar},
    {"StyleLink", &TSettings::StyleLink},
};

template <class... Ts>
struct TOverload : Ts... {
    using Ts::operator()...;
};
// clang 14 does not deduce aggregate templates by itself.
template <class... Ts>
TOverload(Ts...) -> TOverload<Ts...>;

}  // namespace

QString ReadRegStringDefault(const QSettings& Key, const QString& Name, const QString& Default)
{
    if (!Key.contains(Name))
        return Default;
    const QVariant value = Key.value(Name);
    switch (value.typeId()) {
        case QMetaType::QString:
        case QMetaType::QByteArray:
            return value.toString();
        default:
            return Default;
    }
}

int ReadRegIntegerDefault(const QSettings& Key, const QString& Name, int Default)
{
    if (!Key.contains(Name))
        return Default;
    qlonglong number = 0;
    // The platform stores 32-bit numbers; an unsigned 32-bit value (a colour
    // written by another tool) reads as the same bits.
    if (!StoredInteger(Key.value(Name), number) || number < std::numeric_limits<int>::min() ||
        number > std::numeric_limits<uint32_t>::max())
        return Default;
    return static_cast<int>(static_cast<uint32_t>(number));
}

bool ReadRegBoolDefault(const QSettings& Key, const QString& Name, bool Default)
{
    if (!Key.contains(Name))
        return Default;
    const QVariant value = Key.value(Name);
    qlonglong number = 0;
    if (StoredInteger(value, number))
        return number != 0;
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    const QString text = value.typeId() == QMetaType::QString ? value.toString().trimmed() : QString();
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    return Default;
}

double ReadRegFloatDefault(const QSettings& Key, const QString& Name, double Default)
{
    if (!Key.contains(Name))
        return Default;
    const QVariant value = Key.value(Name);
    bool ok = false;
    double number = 0;
    switch (value.typeId()) {
        case QMetaType::Double:
        case QMetaType::Float:
        case QMetaType::Int:
        case QMetaType::LongLong:
            number = value.toDouble(&ok);
            break;
        case QMetaType::QString:
        case QMetaType::QByteArray:
            number = value.toString().trimmed().toDouble(&ok);
            break;
        default:
            break;
    }
    return ok && std::isfinite(number) ? number : Default;
}

// The addresses of the maker's pages: read, never written, so that the
// built-in defaults are not frozen into the store and a distributor's or
// user's own address is kept as they wrote it.
constexpr std::pair<const char*, QString TSettings::*> kPageTable[] = {
    {"HomePage", &TSettings::HomePage},
    {"ForumPage", &TSettings::ForumPage},
    {"FeedbackPage", &TSettings::FeedbackPage},
    {"DictionariesPage", &TSettings::DictionariesPage},
    {"LanguagesPage", &TSettings::LanguagesPage},
};

void TSettings::ReadTable(const QSettings& Key)
{
    const TSettings defaults;
    for (const TKey& key : kTable) {
        const QString name = QLatin1String(key.Name);
        std::visit(
            TOverload{
                [&](int TSettings::*f) { this->*f = ReadRegIntegerDefault(Key, name, defaults.*f); },
                [&](bool TSettings::*f) { this->*f = ReadRegBoolDefault(Key, name, defaults.*f); },
                [&](QString TSettings::*f) { this->*f = ReadRegStringDefault(Key, name, defaults.*f); },
            },
            key.Field);
    }
    UpdateServer = ReadRegStringDefault(Key, QStringLiteral("UpdateServer"), DefaultUpdateServer());
    for (const auto& [name, field] : kPageTable) {
        const QString address = ReadRegStringDefault(Key, QLatin1String(name), defaults.*field).trimmed();
        this->*field = address.isEmpty() ? defaults.*field : address;
    }
    SetLook(Look());
}

namespace {

// The colour fields in the settings order of TDisplayLook.
constexpr int TSettings::*kColorFields[] = {
    &TSettings::ColorEntry,     &TSettings::ColorDefinition,        &TSettings::ColorField,
    &TSettings::ColorGrammar,   &TSettings::ColorLink,              &TSettings::ColorBackground,
    &TSettings::ColorCurrentBackground, &TSettings::ColorSelectedBackground,
};
constexpr QString TSettings::*kStyleFields[] = {
    &TSettings::StyleEntry, &TSettings::StyleDefinition, &TSettings::StyleField,
    &TSettings::StyleGrammar, &TSettings::StyleLink,
};

}  // namespace

TDisplayLook TSettings::Look() const
{
    const TDisplayLook defaults;
    TDisplayLook look;
    look.FontName = FontName;
    look.FontSize = BoundFontSize(FontSize);
    for (int i = 0; i < TDisplayLook::kElementCount; ++i)
        look.Colors[i] = BoundColor(this->*kColorFields[i], defaults.Colors[i]);
    int index = 0;
    for (QString TSettings::*field : kStyleFields)
        look.Styles[index++] = StyleFromLetters((this->*field).toStdString());
    return look;
}

void TSettings::SetLook(const TDisplayLook& Look)
{
    FontName = Look.FontName;
    FontSize = BoundFontSize(Look.FontSize);
    const TDisplayLook defaults;
    for (int i = 0; i < TDisplayLook::kElementCount; ++i)
        this->*kColorFields[i] = static_cast<int>(BoundColor(Look.Colors[i], defaults.Colors[i]));
    int index = 0;
    for (QString TSettings::*field : kStyleFields) {
        // Letters a hand-edited value holds beyond b, i, u and s stay: they
        // mean nothing here but may to whoever wrote them.
        if (StyleFromLetters((this->*field).toStdString()) != Look.Styles[index])
            this->*field = QString::fromStdString(StyleToLetters(Look.Styles[index]));
        ++index;
    }
}

double TSettings::ReadUpdatedDate(const QSettings& Key)
{
    const QVariant value = Key.value(QStringLiteral("UpdatedDate"));
    if (value.typeId() != QMetaType::QByteArray)
        return 0;
    const QByteArray bytes = value.toByteArray();
    return network::DecodeDayCount(std::string_view(bytes.constData(), bytes.size())).value_or(0);
}

void TSettings::WriteUpdatedDate(QSettings& Key, double DayCount)
{
    const auto bytes = network::EncodeDayCount(DayCount);
    Key.setValue(QStringLiteral("UpdatedDate"), QByteArray(bytes.data(), bytes.size()));
}

QString TSettings::DefaultUpdateServer()
{
    const std::string_view server = network::DefaultUpdateServer();
    return QString::fromUtf8(server.data(), server.size());
}

void TSettings::WriteTable(QSettings& Key) const
{
    for (const TKey& key : kTable) {
        const QString name = QLatin1String(key.Name);
        std::visit(TOverload{
                       [&](int TSettings::*f) { Key.setValue(name, this->*f); },
                       // Booleans are numbers in the store, as the readers expect.
                       [&](bool TSettings::*f) { Key.setValue(name, (this->*f) ? 1 : 0); },
                       [&](QString TSettings::*f) { Key.setValue(name, this->*f); },
                   },
                   key.Field);
    }
}

QStringList TSettings::ReadRecent(const QSettings& Key)
{
    QStringList words;
    for (int n = 0; n <= kMaxRecentIndex; ++n) {
        const QString word = ReadRegStringDefault(Key, QStringLiteral("Recent%1").arg(n), QString());
        if (!word.isEmpty())
            words.append(word);
    }
    return words;
}

void TSettings::WriteRecent(QSettings& Key, const QStringList& Words)
{
    for (qsizetype i = 0; i < Words.size(); ++i)
        Key.setValue(QStringLiteral("Recent%1").arg(i), Words[i]);
}

void TSettings::ReadGeometry(const QSettings& Key, QSize ScreenSize)
{
    WindowState = ReadRegIntegerDefault(Key, QStringLiteral("WindowState"), 1);
    if (WindowState != 1)
        return;
    WindowWidth = ReadRegIntegerDefault(Key, QStringLiteral("WindowWidth"), 500);
    WindowHeight = ReadRegIntegerDefault(Key, QStringLiteral("WindowHeight"), 500);
    // In 64 bits: a stored size may be any int, and the difference not.
    const auto centred = [](int Screen, int Window) { return int((qint64(Screen) - Window) / 2); };
    WindowLeft = ReadRegIntegerDefault(Key, QStringLiteral("WindowLeft"), centred(ScreenSize.width(), WindowWidth));
    WindowTop = ReadRegIntegerDefault(Key, QStringLiteral("WindowTop"), centred(ScreenSize.height(), WindowHeight));
}

void TSettings::WriteGeometry(QSettings& Key, Qt::WindowStates State, const QRect& Geometry)
{
    if (State & Qt::WindowMinimized)
        return;
    if (State & Qt::WindowMaximized) {
        Key.setValue(QStringLiteral("WindowState"), 2);
        return;
    }
    Key.setValue(QStringLiteral("WindowState"), 1);
    Key.setValue(QStringLiteral("WindowWidth"), Geometry.width());
    Key.setValue(QStringLiteral("WindowHeight"), Geometry.height());
    Key.setValue(QStringLiteral("WindowTop"), Geometry.y());
    Key.setValue(QStringLiteral("WindowLeft"), Geometry.x());
}

}  // namespace lirabo
