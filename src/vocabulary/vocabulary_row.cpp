#include "vocabulary/vocabulary_row.h"

#include "dictionary/ansi_codec.h"
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

QString EntryRow(std::string_view Headword, std::string_view Definition)
{
    QString target;
    size_t start = 0;
    while (target.isEmpty() && start <= Definition.size()) {
        size_t end = Definition.find(markup::kLineBreak, start);
        if (end == std::string_view::npos)
            end = Definition.size();
        std::string line;
        for (const char c : Definition.substr(start, end - start)) {
            if (static_cast<unsigned char>(c) >= 32)
                line += c;
        }
        target = QString::fromStdString(AnsiToUtf8(line)).trimmed();
        start = end + 1;
    }
    return MakeRow(QString::fromStdString(AnsiToUtf8(Headword)), target);
}

bool IsBlankRow(const QString& Line)
{
    return Line.startsWith(u'=');
}

}  // namespace lirabo
