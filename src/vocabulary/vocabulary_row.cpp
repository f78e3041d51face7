#include "vocabulary/vocabulary_row.h"

#include "dictionary/display_text.h"
#include "dictionary/markup_codes.h"

namespace lirabo {

namespace {

QString Clean(QString Text, bool Source)
{
    for (QChar& c : Text) {
        if (c == u'\r' || c == u'\n' || c == QChar(0) || (Source && c == u'='))
            c = u' ';
    }
    return Text;
}

}  // namespace

QString RowSource(const QString& Line)
{
    const qsizetype equals = Line.indexOf(u'=');
    return equals < 0 ? QString() : Line.left(equals);
}

QString RowTarget(const QString& Line)
{
    const qsizetype equals = Line.indexOf(u'=');
    return equals < 0 ? QString() : Line.mid(equals + 1);
}

QString MakeRow(const QString& Source, const QString& Target)
{
    return Clean(Source, true) + u'=' + Clean(Target, false);
}

namespace {

// The text of one definition line that translates the headword: only the
// definition element (no grammar note, no field label), without italic
// spans (pronunciations and examples), blanks collapsed, a leading sense
// number and trailing separators dropped.
std::string TranslationText(std::string_view Line)
{
    std::string text;
    bool definition = true;
    bool italic = false;
    for (const char c : Line) {
        switch (c) {
        case markup::kDefinition:
            definition = true;
            break;
        case markup::kGrammar:
        case markup::kField:
            definition = false;
            break;
        case markup::kItalic:
            italic = !italic;
            break;
        default:
            if (static_cast<unsigned char>(c) >= 32 && definition && !italic) {
                // What was left out must not leave a blank before a separator.
                if ((c == ',' || c == ';') && !text.empty() && text.back() == ' ')
                    text.pop_back();
                if (c != ' ' || (!text.empty() && text.back() != ' '))
                    text += c;
            }
            break;
        }
    }
    size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9')
        ++digits;
    if (digits > 0 && text.compare(digits, 2, ". ") == 0)
        text.erase(0, digits + 2);
    while (!text.empty() && (text.back() == ' ' || text.back() == ';' || text.back() == ',' || text.back() == ':'))
        text.pop_back();
    while (!text.empty() && text.front() == ' ')
        text.erase(0, 1);
    return text;
}

std::string PlainText(std::string_view Line)
{
    std::string text;
    for (const char c : Line) {
        if (static_cast<unsigned char>(c) >= 32)
            text += c;
    }
    return text;
}

// The first line for which Extract gives text, or the empty text.
template <class TExtract>
std::string FirstLine(std::string_view Definition, TExtract Extract)
{
    size_t start = 0;
    while (start <= Definition.size()) {
        size_t end = Definition.find(markup::kLineBreak, start);
        if (end == std::string_view::npos)
            end = Definition.size();
        std::string text = Extract(Definition.substr(start, end - start));
        if (text.find_first_not_of(' ') != std::string::npos)
            return text;
        start = end + 1;
    }
    return {};
}

}  // namespace

QString EntryRow(std::string_view Headword, std::string_view Definition, TTextEncoding Encoding)
{
    std::string target = FirstLine(Definition, TranslationText);
    // A dictionary that writes everything as notes or examples still gives
    // its first line.
    if (target.empty())
        target = FirstLine(Definition, PlainText);
    return MakeRow(QString::fromStdString(ToDisplayText(Headword, Encoding)),
                   QString::fromStdString(ToDisplayText(target, Encoding)).trimmed());
}

bool IsBlankRow(const QString& Line)
{
    return Line.startsWith(u'=');
}

}  // namespace lirabo
