#include "clipboard/copied_types.h"

#include <QMimeData>
#include <QStringDecoder>

namespace lirabo {

namespace {

// In the order they are preferred: the types that name their encoding
// first. X11's STRING is Latin-1; plain text without a charset is UTF-8
// on every desktop this runs on.
struct TTextType {
    const char* Name;
    bool Latin1;
};
constexpr TTextType kTextTypes[] = {
    {"text/plain;charset=utf-8", false},
    {"UTF8_STRING", false},
    {"text/plain", false},
    {"TEXT", false},
    {"STRING", true},
};

// MIME types compare without regard to case or blanks around their
// parameters; X11's atom names (no slash) are exact.
std::string Normalised(const std::string& Type)
{
    const bool mime = Type.find('/') != std::string::npos;
    std::string result;
    for (char c : Type) {
        if (mime && c == ' ')
            continue;
        result.push_back(mime && c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c);
    }
    return result;
}

}  // namespace

int ChooseTextType(const std::vector<std::string>& Types)
{
    for (const TTextType& wanted : kTextTypes)
        for (std::size_t i = 0; i < Types.size(); ++i)
            if (Normalised(Types[i]) == wanted.Name)
                return static_cast<int>(i);
    return -1;
}

QString DecodeCopiedText(const std::string& Type, const QByteArray& Bytes)
{
    if (Normalised(Type) == "STRING")
        return QString::fromLatin1(Bytes);
    // A read cut short by the size limit may end inside a character.
    // A stateful decoder keeps such a tail to itself.
    QStringDecoder decoder(QStringDecoder::Utf8);
    return decoder.decode(Bytes);
}

bool IsSecretHint(const QByteArray& Value)
{
    return Value.trimmed() == "secret";
}

bool SkipCopiedData(const QMimeData& Data)
{
    return Data.hasFormat(QLatin1String(kOwnCopyType)) ||
           (Data.hasFormat(QLatin1String(kSecretHintType)) && IsSecretHint(Data.data(QLatin1String(kSecretHintType))));
}

}  // namespace lirabo
