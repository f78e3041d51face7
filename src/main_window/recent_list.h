#pragma once

#include <QStringList>

namespace lirabo {

// The lookup box's recent words, newest first. Each insertion that leaves
// more than kLimit words deletes the word at index kLimit (one per
// insertion), so the list holds kLimit words in ordinary use.
class TRecentList {
public:
    static constexpr int kLimit = 10;

    TRecentList() = default;
    explicit TRecentList(QStringList Words) : FWords(std::move(Words)) {}

    // Look up and Alt+Enter: the word goes on top unless the list already
    // holds it (letter case ignored); a word already there keeps its place.
    // The empty text is never recorded.
    // Returns whether the list changed.
    bool Record(const QString& Word);
    // Advanced lookup: the word goes on top even when the list holds it.
    void InsertOnTop(const QString& Word);

    bool Contains(const QString& Word) const;
    const QStringList& Words() const { return FWords; }

private:
    void DropOverflow();

    QStringList FWords;
};

}  // namespace lirabo
