#include "word_hints/word_hints.h"

#include <QFile>
#include <QThread>

#include "word_hints/word_hints_worker.h"

namespace lirabo {

TWordHints::TWordHints(QObject* Parent) : QObject(Parent) {}

TWordHints::~TWordHints()
{
    if (!FThread)
        return;
    FThread->quit();
    // The worker is deleted on its thread as the thread ends; its
    // destructor waits for a gathering to stop.
    FThread->wait();
}

void TWordHints::StartThread()
{
    FThread = new QThread(this);
    FThread->setObjectName(QStringLiteral("WordHints"));
    // Answers are posted to this object, which outlives the thread; what
    // is still queued when it goes is dropped with it.
    FWorker = new TWordHintsWorker(
        [this](TWordHintAnswer Answer) {
            QMetaObject::invokeMethod(
                this, [this, Answer = std::move(Answer)] { emit Answered(Answer); }, Qt::QueuedConnection);
        },
        FLatest);
    FWorker->moveToThread(FThread);
    connect(FThread, &QThread::finished, FWorker, &QObject::deleteLater);
    FThread->start();
}

void TWordHints::SetDictionary(const QString& Path, const QString& HeadwordLanguage, int GatherDelayMs)
{
    if (!FThread) {
        if (Path.isEmpty())
            return;
        StartThread();
    }
    QMetaObject::invokeMethod(
        FWorker,
        [Worker = FWorker, Path = QFile::encodeName(Path).toStdString(), Language = HeadwordLanguage.toStdString(),
         GatherDelayMs] { Worker->SetDictionary(Path, Language, GatherDelayMs); },
        Qt::QueuedConnection);
}

void TWordHints::Ask(uint64_t Generation, const QString& Word)
{
    FLatest.store(Generation);
    if (!FThread) {
        // Nothing was ever open: the answer is empty, and still comes
        // later, as every answer does.
        TWordHintAnswer answer;
        answer.Generation = Generation;
        answer.Word = Word;
        QMetaObject::invokeMethod(
            this, [this, answer] { emit Answered(answer); }, Qt::QueuedConnection);
        return;
    }
    QMetaObject::invokeMethod(
        FWorker, [Worker = FWorker, Generation, Word = Word.toStdString()] { Worker->Ask(Generation, Word); },
        Qt::QueuedConnection);
}

}  // namespace lirabo
