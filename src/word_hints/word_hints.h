#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <cstdint>

#include "word_hints/word_hint_answer.h"

class QThread;

namespace lirabo {

class TWordHintsWorker;

// Finds, off the UI thread, what the window says about a word typed in the
// lookup box: the headwords it is an inflected form of and, when it has no
// entry of its own and is no form of one, headwords close in spelling (see TWordHintsWorker for
// the store, the forms and the index it keeps). The thread starts with the
// first dictionary set, so a window that never opens one pays nothing.
//
// Answered comes on the owner's thread for every question, in the order
// asked, except questions overtaken by a newer one before the worker got to
// them; a word without an entry asked while the headwords are still being
// gathered is answered a second time, with the same generation, once the
// suggestions are there. The receiver drops answers older than its last
// question (TWordHintLine does).
class TWordHints : public QObject {
    Q_OBJECT

public:
    // How long after a dictionary opens its headwords start being gathered:
    // the window's first paint and lookup come first (they take well under
    // this). A word that needs suggestions sooner starts it at once.
    static constexpr int kGatherDelayMs = 300;

    explicit TWordHints(QObject* Parent = nullptr);
    // Stops a gathering and ends the thread; no answer follows.
    ~TWordHints() override;

    // The dictionary file the window shows and its headword language (an
    // ISO 639-1 code, empty when unknown). An empty Path: nothing local is
    // open (no dictionary, an online one, an entry list); every answer is
    // then empty. The same Path again only changes the language.
    void SetDictionary(const QString& Path, const QString& HeadwordLanguage, int GatherDelayMs = kGatherDelayMs);
    // Asks about Word; Generation must grow from question to question.
    void Ask(uint64_t Generation, const QString& Word);

signals:
    void Answered(const TWordHintAnswer& Answer);

private:
    void StartThread();

    QThread* FThread = nullptr;
    TWordHintsWorker* FWorker = nullptr;  // lives on FThread, deleted there when it ends
    std::atomic<uint64_t> FLatest{0};
};

}  // namespace lirabo
