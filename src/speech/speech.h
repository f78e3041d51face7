#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "speech/sound_sink.h"

namespace lirabo {

// Speaks words with the espeak-ng library, which is loaded on first use
// (never at start-up) and may be missing. Speaking runs on a thread of its
// own and never blocks the caller; a new request, Stop or destruction stops
// the one before at the next 60 ms of sound. Text comes from dictionary
// files: it is spoken as plain text (no markup), cut to kMaxSpeechTextBytes,
// and invalid UTF-8 is spoken as replacement characters. Never raises,
// never writes to stderr; without a sound device speaking does nothing.
// Methods are called from one thread (the window's).
class TSpeech {
public:
    enum class TAvailability { Ready, NoLibrary, NoVoice };

    static constexpr const char* kLibraryName = "libespeak-ng.so.1";

    // The system's espeak-ng, played on the sound server.
    TSpeech();
    // For tests: another library file (a missing one gives NoLibrary), and
    // where spoken sound goes.
    explicit TSpeech(std::string LibraryName);
    TSpeech(std::string LibraryName, TSoundSinkFactory OpenSink);
    // Stops speaking and waits for the speech thread (at most one buffer).
    ~TSpeech();
    TSpeech(const TSpeech&) = delete;
    TSpeech& operator=(const TSpeech&) = delete;

    // Whether Language (an ISO 639-1 code) can be spoken; loads the library
    // the first time. An empty language is NoVoice.
    TAvailability Availability(std::string_view Language);

    // Starts speaking Text (UTF-8) in Language on the sound device and
    // returns at once; stops whatever is being spoken first. False when
    // Availability(Language) is not Ready. Text of spaces alone only stops.
    bool Speak(std::string Text, std::string Language);
    // Stops speaking without waiting.
    void Stop();
    // Called on the speech thread when a word was synthesised but could not
    // be heard: no sound device could be opened, or it failed while
    // playing. Speak has returned long before, so this is the only way the
    // caller learns of it.
    void SetOnSoundFailed(std::function<void()> Callback);

    // Synthesises Text in Language into 16-bit mono samples at SampleRate(),
    // blocking, without a sound device. Empty when not Ready. While the
    // speech thread synthesises (never while it plays) this waits for it.
    std::vector<int16_t> Synthesize(std::string_view Text, std::string_view Language);
    // The library's sample rate (22050 for its own voices); 0 until it has
    // been loaded by one of the calls above.
    int SampleRate() const;

private:
    struct TState;
    std::unique_ptr<TState> FState;
};

}  // namespace lirabo
