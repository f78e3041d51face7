#include "makrel/stardict/stardict_article.h"

#include <cctype>
#include "dictionary/markup_codes.h"

namespace makrel {

namespace {

using namespace lirabo::markup;

bool IsLower(char Type)
{
    return std::islower(static_cast<unsigned char>(Type)) != 0;
}

uint32_t BigEndian32(std::string_view Data, size_t At)
{
    uint32_t value = 0;
    for (size_t k = 0; k < 4; ++k)
        value = value << 8 | static_cast<unsigned char>(Data[At + k]);
    return value;
}

// XDXF written as the HTML the converter knows.
std::string XdxfAsHtml(std::string_view Xdxf)
{
    std::string html;
    for (size_t i = 0; i < Xdxf.size();) {
        const std::string_view rest = Xdxf.substr(i);
        if (rest.starts_with("<k>")) {  // the headword again
            const size_t end = rest.find("</k>");
            i += end == std::string_view::npos ? rest.size() : end + 4;
        } else if (rest.starts_with("<kref")) {
            html += "<a";
            i += 5;
        } else if (rest.starts_with("</kref>")) {
            html += "</a>";
            i += 7;
        } else if (rest.starts_with("<tr>")) {
            html += "[";
            i += 4;
        } else if (rest.starts_with("</tr>")) {
            html += "]";
            i += 5;
        } else if (rest.starts_with("<ex>") || rest.starts_with("</ex>")) {
            html += rest[1] == '/' ? "</i>" : "<i>";
            i += rest[1] == '/' ? 5 : 4;
        } else {
            html += Xdxf[i++];
        }
    }
    // XDXF keeps its line breaks as text.
    std::string out;
    for (const char c : html)
        out += c == '\n' ? std::string("<br>") : std::string(1, c);
    return out;
}

}  // namespace

void TStarDictArticleConverter::AppendField(std::string& Out, char Type, std::string_view Field)
{
    const size_t before = Out.size();
    if (!Out.empty())
        Out += kLineBreak;
    const size_t start = Out.size();
    switch (Type) {
        case 'm':
        case 'l':
        case 'w':
            FText.Append(Out, Field, true);
            break;
        case 't':
        case 'y':
            Out += kItalic;
            Out += '[';
            FText.Append(Out, Field);
            Out += ']';
            Out += kItalic;
            break;
        case 'h':
        case 'g':
        case 'k':
            FHtml.Append(Out, Field);
            break;
        case 'x':
            FHtml.Append(Out, XdxfAsHtml(Field));
            break;
        default:
            ++FSkipped[Type];
            break;
    }
    while (Out.size() > start && Out.back() == kLineBreak)
        Out.pop_back();
    if (Out.size() == start)
        Out.resize(before);  // nothing to show: no separator either
}

std::string TStarDictArticleConverter::Convert(std::string_view Data)
{
    std::string out;
    size_t pos = 0;
    bool malformed = false;
    // Reads the next field of Type; with Last the field runs to the end.
    const auto field = [&](char Type, bool Last, std::string_view& Field) {
        if (Last) {
            Field = Data.substr(pos);
            pos = Data.size();
        } else if (IsLower(Type)) {
            const size_t end = Data.find('\0', pos);
            if (end == std::string_view::npos) {
                malformed = true;
                Field = Data.substr(pos);
                pos = Data.size();
            } else {
                Field = Data.substr(pos, end - pos);
                pos = end + 1;
            }
        } else {
            if (Data.size() - pos < 4) {
                malformed = true;
                return false;
            }
            const uint32_t size = BigEndian32(Data, pos);
            pos += 4;
            if (size > Data.size() - pos) {
                malformed = true;
                return false;
            }
            Field = Data.substr(pos, size);
            pos += size;
        }
        return true;
    };
    std::string_view text;
    if (!FTypeSequence.empty()) {
        for (size_t k = 0; k < FTypeSequence.size() && pos <= Data.size(); ++k) {
            if (!field(FTypeSequence[k], k + 1 == FTypeSequence.size(), text))
                break;
            AppendField(out, FTypeSequence[k], text);
        }
    } else {
        while (pos < Data.size()) {
            const char type = Data[pos++];
            if (!std::isalpha(static_cast<unsigned char>(type))) {
                malformed = true;
                break;
            }
            if (!field(type, false, text))
                break;
            AppendField(out, type, text);
        }
    }
    FMalformed += malformed;
    return out;
}

}  // namespace makrel
