#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "speech/voice_choice.h"

namespace lirabo {

// The espeak-ng library, loaded with dlopen and initialised once for the
// whole process: its state (voice, output mode, sound buffer) is global, so
// every TSpeech shares one instance per library file, and every call into
// it is serialised here.
//
// It is initialised in synchronous retrieval mode only: the samples always
// come back through the callback, for Synthesize and for speaking alike,
// and TSpeech plays them. Its own playback mode was tried and left aside:
// a synthesis it plays cannot be stopped before the end of the text (the
// callback is not consulted and Cancel does not stop a synchronous
// synthesis), without a sound device it writes the sound library's errors
// to stderr on every word, a failed device leaves the unspoken text queued
// for the next synthesis, and switching modes for Synthesize would touch the
// device each time.
class TEspeakLibrary {
public:
    // The library in the file LibraryName (a name dlopen searches for, or a
    // path), loaded and initialised on the first call for that file and kept
    // until the process ends; null when it is missing, lacks an entry point
    // or cannot load its data. Thread-safe; never writes to stderr.
    static TEspeakLibrary* Load(const std::string& LibraryName);

    ~TEspeakLibrary();
    TEspeakLibrary(const TEspeakLibrary&) = delete;
    TEspeakLibrary& operator=(const TEspeakLibrary&) = delete;

    // What selects the voice for Language (see ChooseVoice), or empty.
    std::string VoiceFor(std::string_view Language) const { return ChooseVoice(FVoices, Language); }
    int SampleRate() const { return FSampleRate; }

    // Synthesises Text (plain UTF-8, already cleaned) with Voice into
    // Samples, waiting for the library while another thread uses it.
    // Stopped, when set, is asked after every buffer of about 60 ms of
    // sound; once it is true the synthesis ends with what it has. At most
    // kMaxSeconds of sound are kept. False when the voice cannot be set or
    // the synthesis failed.
    bool Synthesize(const std::string& Text, const std::string& Voice, const std::function<bool()>& Stopped,
                    std::vector<int16_t>& Samples);

    static constexpr int kMaxSeconds = 600;

private:
    struct TApi;

    explicit TEspeakLibrary(std::unique_ptr<TApi> Api);
    bool Initialize();

    std::unique_ptr<TApi> FApi;
    int FSampleRate = 0;
    std::vector<TVoiceLanguage> FVoices;  // read once: the voice files do not change under us
    std::mutex FMutex;                    // held for every call into the library
    std::string FCurrentVoice;            // setting a voice reads its files: done only on a change
};

}  // namespace lirabo
