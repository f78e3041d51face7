#include "build_summary.h"

#include <QLocale>
#include <string>

#include "language_box.h"

namespace makrel {

namespace {

QString Number(size_t Value)
{
    return QLocale().toString(static_cast<qulonglong>(Value));
}

QString EncodingLine(lirabo::TTextEncoding Written, TEncodingChoice Chosen)
{
    QString line = Written == lirabo::TTextEncoding::Utf8 ? "UTF-8" : "Windows-1252";
    if (Chosen == TEncodingChoice::Auto)
        line += " (chosen automatically)";
    return line;
}

QString LanguagesLine(const lirabo::TTextDescription& Text)
{
    if (Text.HeadwordLanguage.empty() && Text.DefinitionLanguage.empty())
        return "unknown";
    const auto side = [](const std::string& Code) {
        return Code.empty() ? QString("unknown") : TLanguageBox::Title(QString::fromStdString(Code));
    };
    return QString("headwords %1, definitions %2")
        .arg(side(Text.HeadwordLanguage), side(Text.DefinitionLanguage));
}

}  // namespace

QString BuildSummary(const TBuildResult& Result, const QString& Output, TEncodingChoice Chosen)
{
    QString text = QString("Built %1\n").arg(Output);
    text += QString("Entries: %1\nRelations: %2\n").arg(Number(Result.Entries), Number(Result.Relations));
    text += QString("Encoding: %1\nLanguages: %2\n")
                .arg(EncodingLine(Result.Text.Encoding, Chosen), LanguagesLine(Result.Text));
    text += QString("Replaced characters: %1\nShortened entries: %2\n")
                .arg(Number(Result.ReplacedCharacters), Number(Result.ShortenedEntries));
    if (Result.Warnings.empty()) {
        text += "Warnings: none\n";
    } else {
        text += QString("Warnings: %1\n").arg(Number(Result.Warnings.size()));
        for (const std::string& warning : Result.Warnings)
            text += "  " + QString::fromUtf8(warning) + "\n";
    }
    return text;
}

}  // namespace makrel
