#include "main_window/clipboard_text.h"

namespace lirabo {

QString ClipboardLookupText(const QString& Copied)
{
    qsizetype index = 0;
    int characters = 0;
    bool visible = false;
    while (index < Copied.size() && characters < kMaxClipboardText) {
        char32_t c = Copied.at(index).unicode();
        qsizetype units = 1;
        if (QChar::isHighSurrogate(c) && index + 1 < Copied.size() && Copied.at(index + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(Copied.at(index), Copied.at(index + 1));
            units = 2;
        }
        index += units;
        ++characters;
        const QChar::Category kind = QChar::category(c);
        if (!QChar::isSpace(c) && kind != QChar::Other_Control && kind != QChar::Other_Format)
            visible = true;
    }
    // Nothing past the cut counts: a person copying 100 spaces and a word
    // would not see that word in the lookup box either.
    if (!visible)
        return {};
    return Copied.left(index);
}

}  // namespace lirabo
