#pragma once

#include <QLabel>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "word_hints/word_hint_answer.h"

namespace lirabo {

// The texts of the line, from the window's language file. "%s" stands for
// the looked-up word, then for the list of words offered.
struct TWordHintTexts {
    QString FormOf = QStringLiteral("%s: a form of %s");
    QString DidYouMean = QStringLiteral("Did you mean: %s");
    QString AccessibleName = QStringLiteral("Word forms and suggestions");
};

// The quiet line above the entries of the Dictionary tab: which headwords
// the word looked up is a form of, and, when it has no entry, which
// headwords it may be a misspelling of. Every offered word is a link,
// reached with Tab and followed with Enter or a click; hidden while there is
// nothing to say. It knows nothing of the window: a followed link is
// reported through OnLookUp.
class TWordHintLine : public QLabel {
    Q_OBJECT

public:
    explicit TWordHintLine(QWidget* Parent = nullptr);

    // Shows the current answer again in Texts.
    void SetTexts(const TWordHintTexts& Texts);
    const TWordHintTexts& Texts() const { return FTexts; }

    // A new question supersedes what is shown: hides the line and gives the
    // generation the question's answer must carry.
    uint64_t Expect();
    // Shows Answer when it answers the last question expected; an older one
    // is dropped. An empty answer hides the line.
    void ShowAnswer(const TWordHintAnswer& Answer);
    // Hides the line and drops every answer still to come.
    void Clear() { Expect(); }

    // The answer on show; empty while hidden.
    const std::optional<TWordHintAnswer>& Shown() const { return FShown; }

    // The rich text of Answer in Texts: the offered words as links.
    static QString HintHtml(const TWordHintAnswer& Answer, const TWordHintTexts& Texts);
    // The word a link of HintHtml stands for.
    static QString LinkWord(const QString& Link);

    // A link was followed: Word is to be looked up.
    std::function<void(const QString& Word)> OnLookUp;

protected:
    void focusInEvent(QFocusEvent* Event) override;

private:
    void Render();
    void ApplyQuietLook();

    TWordHintTexts FTexts;
    uint64_t FGeneration = 0;
    std::optional<TWordHintAnswer> FShown;
};

}  // namespace lirabo
