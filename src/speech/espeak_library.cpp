#include "speech/espeak_library.h"

#include <dlfcn.h>
#include <espeak-ng/espeak_ng.h>

#include <clocale>
#include <cstring>
#include <map>
#include <memory>

namespace lirabo {

// The entry points used, typed from the library's own header.
struct TEspeakLibrary::TApi {
    decltype(&espeak_ng_InitializePath) InitializePath = nullptr;
    decltype(&espeak_ng_Initialize) Initialize = nullptr;
    decltype(&espeak_ng_ClearErrorContext) ClearErrorContext = nullptr;
    decltype(&espeak_ng_InitializeOutput) InitializeOutput = nullptr;
    decltype(&espeak_ng_GetSampleRate) GetSampleRate = nullptr;
    decltype(&espeak_SetSynthCallback) SetSynthCallback = nullptr;
    decltype(&espeak_ListVoices) ListVoices = nullptr;
    decltype(&espeak_SetVoiceByName) SetVoiceByName = nullptr;
    decltype(&espeak_Synth) Synth = nullptr;
};

namespace {

// Sound comes back in buffers of this length, and a stop is noticed
// between two of them.
constexpr int kBufferMs = 60;

// The synthesis in progress, reached from the library's callback through
// the user data of its events.
struct TJob {
    std::vector<int16_t>* Samples;
    const std::function<bool()>* Stopped;
    size_t MaxSamples;
    bool Ended = false;  // the callback asked the library to stop
};

int OnSamples(short* Wav, int Count, espeak_EVENT* Events)
{
    auto* job = Events ? static_cast<TJob*>(Events->user_data) : nullptr;
    if (!job)
        return 0;
    if (Wav && Count > 0) {
        const size_t room = job->MaxSamples - job->Samples->size();
        const size_t taken = std::min(room, static_cast<size_t>(Count));
        job->Samples->insert(job->Samples->end(), Wav, Wav + taken);
        if (taken < static_cast<size_t>(Count))
            job->Ended = true;
    }
    if (*job->Stopped && (*job->Stopped)())
        job->Ended = true;
    return job->Ended ? 1 : 0;
}

template <typename T>
bool Resolve(void* Handle, const char* Name, T& Entry)
{
    Entry = reinterpret_cast<T>(dlsym(Handle, Name));
    return Entry != nullptr;
}

// Every library loaded, by dlopen handle: two names of one file are one
// library, initialised once.
std::mutex GLibrariesMutex;
std::map<void*, std::unique_ptr<TEspeakLibrary>>& Libraries()
{
    static auto* libraries = new std::map<void*, std::unique_ptr<TEspeakLibrary>>;
    return *libraries;
}

}  // namespace

TEspeakLibrary::TEspeakLibrary(std::unique_ptr<TApi> Api) : FApi(std::move(Api)) {}

TEspeakLibrary::~TEspeakLibrary() = default;

TEspeakLibrary* TEspeakLibrary::Load(const std::string& LibraryName)
{
    std::lock_guard lock(GLibrariesMutex);
    void* handle = dlopen(LibraryName.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return nullptr;
    auto& libraries = Libraries();
    if (auto known = libraries.find(handle); known != libraries.end()) {
        dlclose(handle);  // the reference taken when it was first loaded stays
        return known->second.get();
    }
    auto api = std::make_unique<TApi>();
    const bool resolved = Resolve(handle, "espeak_ng_InitializePath", api->InitializePath) &&
                          Resolve(handle, "espeak_ng_Initialize", api->Initialize) &&
                          Resolve(handle, "espeak_ng_ClearErrorContext", api->ClearErrorContext) &&
                          Resolve(handle, "espeak_ng_InitializeOutput", api->InitializeOutput) &&
                          Resolve(handle, "espeak_ng_GetSampleRate", api->GetSampleRate) &&
                          Resolve(handle, "espeak_SetSynthCallback", api->SetSynthCallback) &&
                          Resolve(handle, "espeak_ListVoices", api->ListVoices) &&
                          Resolve(handle, "espeak_SetVoiceByName", api->SetVoiceByName) &&
                          Resolve(handle, "espeak_Synth", api->Synth);
    if (!resolved) {
        dlclose(handle);
        return nullptr;
    }
    std::unique_ptr<TEspeakLibrary> library(new TEspeakLibrary(std::move(api)));
    if (!library->Initialize()) {
        // Its global state is half made: the library stays loaded (and
        // unused) rather than be initialised a second time.
        libraries.emplace(handle, nullptr);
        return nullptr;
    }
    return libraries.emplace(handle, std::move(library)).first->second.get();
}

bool TEspeakLibrary::Initialize()
{
    // espeak_Initialize would print to stderr, and exit, when its data is
    // missing; the espeak_ng_ calls report instead. The library also sets
    // the process's character-type locale, which the rest of the program
    // does not expect to change under it.
    const char* current = std::setlocale(LC_CTYPE, nullptr);
    const std::string locale = current ? current : "C";
    FApi->InitializePath(nullptr);
    espeak_ng_ERROR_CONTEXT context = nullptr;
    const espeak_ng_STATUS status = FApi->Initialize(&context);
    std::setlocale(LC_CTYPE, locale.c_str());
    if (context)
        FApi->ClearErrorContext(&context);
    if (status != ENS_OK || FApi->InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, kBufferMs, nullptr) != ENS_OK)
        return false;
    FSampleRate = FApi->GetSampleRate();
    if (FSampleRate <= 0)
        return false;
    FApi->SetSynthCallback(&OnSamples);

    const espeak_VOICE** voices = FApi->ListVoices(nullptr);
    for (size_t i = 0; voices && voices[i]; ++i) {
        const espeak_VOICE& voice = *voices[i];
        // MBROLA voices need databases of their own, seldom installed.
        if (!voice.identifier || !voice.languages || std::strncmp(voice.identifier, "mb/", 3) == 0)
            continue;
        // Pairs of a priority byte and a language, ended by a zero priority.
        for (const char* entry = voice.languages; *entry; entry += 2 + std::strlen(entry + 1))
            FVoices.push_back({voice.identifier, entry + 1, static_cast<unsigned char>(*entry)});
    }
    return true;
}

bool TEspeakLibrary::Synthesize(const std::string& Text, const std::string& Voice,
                                const std::function<bool()>& Stopped, std::vector<int16_t>& Samples)
{
    std::lock_guard lock(FMutex);
    if (Voice != FCurrentVoice) {
        FCurrentVoice.clear();
        if (FApi->SetVoiceByName(Voice.c_str()) != EE_OK)
            return false;
        FCurrentVoice = Voice;
    }
    TJob job{&Samples, &Stopped, static_cast<size_t>(FSampleRate) * kMaxSeconds};
    // Plain UTF-8: no SSML, no phoneme codes between [[ ]], whatever the
    // dictionary holds. A stop makes espeak_Synth report an error.
    const espeak_ERROR result =
        FApi->Synth(Text.c_str(), Text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, &job);
    return result == EE_OK || job.Ended;
}

}  // namespace lirabo
