#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lirabo {

// Speaks words with the espeak-ng library, which is loaded on first use
// (never at start-up) and may be missing. Speaking runs on a thread of its
// own and never blocks the caller; a new request stops the one before.
class TSpeech {
public:
    enum class TAvailability { Ready, NoLibrary, NoVoice };

    TSpeech();
    ~TSpeech();
    TSpeech(const TSpeech&) = delete;
    TSpeech& operator=(const TSpeech&) = delete;

    // Whether Language (an ISO 639-1 code) can be spoken; loads the library
    // the first time. An empty language is NoVoice.
    TAvailability Availability(std::string_view Language);

    // Starts speaking Text (UTF-8) in Language on the sound device and
    // returns at once; stops whatever is being spoken first. False when
    // Availability(Language) is not Ready.
    bool Speak(std::string Text, std::string Language);
    void Stop();

    // Synthesises Text in Language into 16-bit mono samples at SampleRate(),
    // blocking, without a sound device. Empty when not Ready.
    std::vector<int16_t> Synthesize(std::string_view Text, std::string_view Language);
    int SampleRate() const;

private:
    struct TState;
    std::unique_ptr<TState> FState;
};

}  // namespace lirabo
