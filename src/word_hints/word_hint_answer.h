#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace lirabo {

// What was found for one word of the lookup box. Words are UTF-8 turned
// into QString, each as the dictionary writes it.
struct TWordHintAnswer {
    uint64_t Generation = 0;  // of the question it answers
    QString Word;             // as asked
    QStringList Forms;        // headwords Word is an inflected form of, most likely first
    QStringList Suggestions;  // headwords close in spelling; only when Word is neither a headword nor a form

    bool Empty() const { return Forms.isEmpty() && Suggestions.isEmpty(); }
    bool operator==(const TWordHintAnswer&) const = default;
};

}  // namespace lirabo
