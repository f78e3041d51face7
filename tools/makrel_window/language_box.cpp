#include "language_box.h"

#include <QCompleter>
#include <QLineEdit>
#include <QLocale>
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/text_encoding.h"
#include "makrel/core/language_pair.h"

namespace makrel {

namespace {

constexpr const char* kFromSource = "From the source";
// Room for "From the source" and most names; longer ones show in the list.
constexpr int kContentsLength = 18;

QString EnglishName(const QString& Code)
{
    const QLocale::Language language = QLocale::codeToLanguage(Code, QLocale::ISO639Part1);
    return language == QLocale::AnyLanguage ? QString() : QLocale::languageToString(language);
}

}  // namespace

TLanguageBox::TLanguageBox(QWidget* Parent) : QComboBox(Parent)
{
    setEditable(true);
    // Enter must not add what was typed to the list as if it were a language.
    setInsertPolicy(QComboBox::NoInsert);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(kContentsLength);
    addItem(kFromSource, QString());
    std::vector<std::string_view> codes(lirabo::LanguageCodes().begin(), lirabo::LanguageCodes().end());
    std::sort(codes.begin(), codes.end());
    for (const std::string_view code : codes) {
        const QString text = QString::fromLatin1(code.data(), static_cast<qsizetype>(code.size()));
        const QString name = EnglishName(text);
        addItem(name.isEmpty() ? text : text + " – " + name, text);
    }
    // Completing "DE" to "de – German" would hide that makrel takes lower
    // case only; the check then names the code as typed.
    completer()->setCaseSensitivity(Qt::CaseSensitive);
    lineEdit()->setPlaceholderText(kFromSource);
}

QString TLanguageBox::Code() const
{
    const QString text = currentText().trimmed();
    const int item = findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    return item >= 0 ? itemData(item).toString() : text;
}

QString TLanguageBox::Error() const
{
    const QString code = Code();
    return code.isEmpty() ? QString() : QString::fromStdString(LanguageCodeError(code.toStdString()));
}

QString TLanguageBox::Title(const QString& Code)
{
    if (Code.isEmpty())
        return {};
    const QString name = EnglishName(Code);
    return name.isEmpty() ? Code : QString("%1 (%2)").arg(name, Code);
}

}  // namespace makrel
