#include "speech/speech.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "speech/espeak_library.h"
#include "speech/pulse_sink.h"
#include "speech/speech_text.h"

namespace lirabo {

namespace {

// Sound is handed to the device in pieces this long, and a stop is noticed
// between two of them.
constexpr int kPieceMs = 50;

struct TRequest {
    std::string Text;  // cleaned
    std::string Voice;
    uint64_t Generation;
};

}  // namespace

struct TSpeech::TState {
    std::string LibraryName;
    TSoundSinkFactory OpenSink;
    std::function<void()> OnSoundFailed;  // guarded by Mutex

    std::mutex LoadMutex;
    bool LoadTried = false;
    TEspeakLibrary* Library = nullptr;  // shared by the process, never freed
    std::atomic<int> SampleRate{0};

    // The speech thread's work: at most one request waits, newer ones
    // replace it; a request whose generation is no longer current is
    // stopped wherever it is.
    std::mutex Mutex;
    std::condition_variable Wake;
    std::optional<TRequest> Pending;
    std::atomic<uint64_t> Generation{0};
    bool Quit = false;
    std::thread Thread;

    TEspeakLibrary* LoadedLibrary();
    uint64_t StopCurrent();
    void Run();
    void Play(const TRequest& Request);
    void SoundFailed();
};

TEspeakLibrary* TSpeech::TState::LoadedLibrary()
{
    std::lock_guard lock(LoadMutex);
    if (!LoadTried) {
        LoadTried = true;
        Library = TEspeakLibrary::Load(LibraryName);
        if (Library)
            SampleRate = Library->SampleRate();
    }
    return Library;
}

// Called with Mutex held.
uint64_t TSpeech::TState::StopCurrent()
{
    Pending.reset();
    return ++Generation;
}

void TSpeech::TState::Run()
{
    for (;;) {
        TRequest request;
        {
            std::unique_lock lock(Mutex);
            Wake.wait(lock, [this] { return Quit || Pending; });
            if (Quit)
                return;
            request = std::move(*Pending);
            Pending.reset();
        }
        Play(request);
    }
}

void TSpeech::TState::Play(const TRequest& Request)
{
    const std::function<bool()> stopped = [this, generation = Request.Generation] {
        return Generation.load() != generation;
    };
    // The whole text is synthesised before any is played (about a
    // thousand times faster than it is spoken), so the library is held only
    // that long and Synthesize on the window's thread never waits for the
    // sound device.
    std::vector<int16_t> samples;
    if (!Library->Synthesize(Request.Text, Request.Voice, stopped, samples) || samples.empty() || stopped())
        return;
    const std::unique_ptr<TSoundSink> sink = OpenSink ? OpenSink(SampleRate) : nullptr;
    if (!sink) {
        SoundFailed();
        return;
    }
    const size_t piece = static_cast<size_t>(SampleRate) * kPieceMs / 1000;
    for (size_t at = 0; at < samples.size(); at += piece) {
        if (stopped()) {
            sink->Flush();
            return;
        }
        if (!sink->Write(samples.data() + at, std::min(piece, samples.size() - at))) {
            SoundFailed();
            return;
        }
    }
    sink->Drain();
}

void TSpeech::TState::SoundFailed()
{
    std::function<void()> callback;
    {
        std::lock_guard lock(Mutex);
        callback = OnSoundFailed;
    }
    if (callback)
        callback();
}

TSpeech::TSpeech() : TSpeech(kLibraryName) {}

TSpeech::TSpeech(std::string LibraryName) : TSpeech(std::move(LibraryName), OpenPulseSink) {}

TSpeech::TSpeech(std::string LibraryName, TSoundSinkFactory OpenSink) : FState(std::make_unique<TState>())
{
    FState->LibraryName = std::move(LibraryName);
    FState->OpenSink = std::move(OpenSink);
}

TSpeech::~TSpeech()
{
    {
        std::lock_guard lock(FState->Mutex);
        FState->StopCurrent();
        FState->Quit = true;
    }
    FState->Wake.notify_one();
    if (FState->Thread.joinable())
        FState->Thread.join();
}

TSpeech::TAvailability TSpeech::Availability(std::string_view Language)
{
    TEspeakLibrary* library = FState->LoadedLibrary();
    if (!library)
        return TAvailability::NoLibrary;
    return library->VoiceFor(Language).empty() ? TAvailability::NoVoice : TAvailability::Ready;
}

bool TSpeech::Speak(std::string Text, std::string Language)
{
    TEspeakLibrary* library = FState->LoadedLibrary();
    const std::string voice = library ? library->VoiceFor(Language) : std::string();
    if (voice.empty())
        return false;
    std::string clean = CleanSpeechText(Text);
    {
        std::lock_guard lock(FState->Mutex);
        const uint64_t generation = FState->StopCurrent();
        if (!clean.empty())
            FState->Pending = TRequest{std::move(clean), voice, generation};
        // Started on the first word, so that a program that never speaks
        // has no speech thread.
        if (FState->Pending && !FState->Thread.joinable())
            FState->Thread = std::thread([state = FState.get()] { state->Run(); });
    }
    FState->Wake.notify_one();
    return true;
}

void TSpeech::SetOnSoundFailed(std::function<void()> Callback)
{
    std::lock_guard lock(FState->Mutex);
    FState->OnSoundFailed = std::move(Callback);
}

void TSpeech::Stop()
{
    std::lock_guard lock(FState->Mutex);
    FState->StopCurrent();
}

std::vector<int16_t> TSpeech::Synthesize(std::string_view Text, std::string_view Language)
{
    std::vector<int16_t> samples;
    TEspeakLibrary* library = FState->LoadedLibrary();
    const std::string voice = library ? library->VoiceFor(Language) : std::string();
    const std::string clean = CleanSpeechText(Text);
    if (voice.empty() || clean.empty())
        return samples;
    if (!library->Synthesize(clean, voice, nullptr, samples))
        samples.clear();
    return samples;
}

int TSpeech::SampleRate() const
{
    return FState->SampleRate;
}

}  // namespace lirabo
