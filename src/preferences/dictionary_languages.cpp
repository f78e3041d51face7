#include "preferences/dictionary_languages.h"

#include <QLocale>
#include <QSettings>
#include <QVariant>

namespace lirabo {

TDictionaryLanguages EffectiveLanguages(const TTextDescription& Stated, const TDictionaryLanguages& Chosen)
{
    return {Stated.HeadwordLanguage.empty() ? Chosen.Headword : Stated.HeadwordLanguage,
            Stated.DefinitionLanguage.empty() ? Chosen.Definition : Stated.DefinitionLanguage};
}

QString FormatLanguages(const TDictionaryLanguages& Languages)
{
    return QString::fromStdString(Languages.Headword) + QLatin1Char('-') +
           QString::fromStdString(Languages.Definition);
}

std::optional<TDictionaryLanguages> ParseLanguages(const QString& Text)
{
    const qsizetype dash = Text.indexOf(QLatin1Char('-'));
    if (dash < 0)
        return std::nullopt;
    const std::string headword = Text.left(dash).toStdString();
    const std::string definition = Text.mid(dash + 1).toStdString();
    const auto valid = [](const std::string& Code) { return Code.empty() || IsLanguageCode(Code); };
    if (!valid(headword) || !valid(definition))
        return std::nullopt;
    return TDictionaryLanguages{headword, definition};
}

TLanguageChoices ReadLanguageChoices(const QSettings& Key)
{
    const QString prefix = QLatin1String(kLanguageChoicesGroup) + QLatin1Char('/');
    TLanguageChoices choices;
    for (const QString& key : Key.allKeys()) {
        if (!key.startsWith(prefix))
            continue;
        const QString file = key.mid(prefix.size());
        // A deeper key is no file name of ours.
        if (file.isEmpty() || file.contains(QLatin1Char('/')))
            continue;
        const QVariant value = Key.value(key);
        if (value.typeId() != QMetaType::QString)
            continue;
        const std::optional<TDictionaryLanguages> languages = ParseLanguages(value.toString());
        if (languages && !languages->Empty())
            choices.insert(file, *languages);
    }
    return choices;
}

void WriteLanguageChoices(QSettings& Key, const TLanguageChoices& Choices)
{
    Key.remove(QLatin1String(kLanguageChoicesGroup));
    Key.beginGroup(QLatin1String(kLanguageChoicesGroup));
    for (auto it = Choices.cbegin(); it != Choices.cend(); ++it) {
        if (!it.value().Empty())
            Key.setValue(it.key(), FormatLanguages(it.value()));
    }
    Key.endGroup();
}

QString LanguageName(const std::string& Code)
{
    const QString code = QString::fromStdString(Code);
    const QLocale::Language language = QLocale::codeToLanguage(code, QLocale::ISO639Part1);
    if (language == QLocale::AnyLanguage || language == QLocale::C)
        return code;
    // The platform's names in the language itself name a country's variety
    // ("American English"), not the language a dictionary is in: the
    // English name and the code say it without that.
    return QStringLiteral("%1 (%2)").arg(QLocale::languageToString(language), code);
}

}  // namespace lirabo
