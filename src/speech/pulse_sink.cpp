#include "speech/pulse_sink.h"

#include <dlfcn.h>

#include <cstdint>

namespace lirabo {

namespace {

// The few declarations of <pulse/simple.h> this file needs, whose layout and
// values have been fixed since PulseAudio 0.9; the development package is
// then not needed to build.
struct TPaSampleSpec {
    int Format;
    uint32_t Rate;
    uint8_t Channels;
};
struct TPaBufferAttr {
    uint32_t MaxLength, TargetLength, PreBuffer, MinRequest, FragmentSize;
};
constexpr int kPaSampleS16Le = 3;
constexpr int kPaStreamPlayback = 1;
constexpr uint32_t kPaDefault = UINT32_MAX;  // "let the server choose"

// A stop must be heard at once: the server holds this much sound ahead of
// the speaker, so a blocked write and the final drain last no longer.
constexpr int kTargetBufferMs = 100;

struct TPulseApi {
    void* (*New)(const char*, const char*, int, const char*, const char*, const TPaSampleSpec*, const void*,
                 const TPaBufferAttr*, int*) = nullptr;
    int (*WriteSamples)(void*, const void*, size_t, int*) = nullptr;
    int (*DrainQueue)(void*, int*) = nullptr;
    int (*FlushQueue)(void*, int*) = nullptr;
    void (*Free)(void*) = nullptr;
};

// Loaded once for the process and never unloaded: sinks come and go with
// every word spoken.
const TPulseApi* PulseApi()
{
    static const TPulseApi* api = []() -> const TPulseApi* {
        void* handle = dlopen("libpulse-simple.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            return nullptr;
        static TPulseApi loaded;
        loaded.New = reinterpret_cast<decltype(loaded.New)>(dlsym(handle, "pa_simple_new"));
        loaded.WriteSamples =
            reinterpret_cast<decltype(loaded.WriteSamples)>(dlsym(handle, "pa_simple_write"));
        loaded.DrainQueue = reinterpret_cast<decltype(loaded.DrainQueue)>(dlsym(handle, "pa_simple_drain"));
        loaded.FlushQueue = reinterpret_cast<decltype(loaded.FlushQueue)>(dlsym(handle, "pa_simple_flush"));
        loaded.Free = reinterpret_cast<decltype(loaded.Free)>(dlsym(handle, "pa_simple_free"));
        if (!loaded.New || !loaded.WriteSamples || !loaded.DrainQueue || !loaded.FlushQueue || !loaded.Free) {
            dlclose(handle);
            return nullptr;
        }
        return &loaded;
    }();
    return api;
}

class TPulseSink : public TSoundSink {
public:
    TPulseSink(const TPulseApi& Api, void* Stream) : FApi(Api), FStream(Stream) {}
    ~TPulseSink() override { FApi.Free(FStream); }

    bool Write(const int16_t* Samples, size_t Count) override
    {
        int error = 0;
        return FApi.WriteSamples(FStream, Samples, Count * sizeof(int16_t), &error) == 0;
    }
    void Drain() override
    {
        int error = 0;
        FApi.DrainQueue(FStream, &error);
    }
    void Flush() override
    {
        int error = 0;
        FApi.FlushQueue(FStream, &error);
    }

private:
    const TPulseApi& FApi;
    void* FStream;
};

}  // namespace

std::unique_ptr<TSoundSink> OpenPulseSink(int SampleRate)
{
    const TPulseApi* api = PulseApi();
    if (!api || SampleRate <= 0)
        return nullptr;
    const TPaSampleSpec format{kPaSampleS16Le, static_cast<uint32_t>(SampleRate), 1};
    const uint32_t target = static_cast<uint32_t>(SampleRate) * sizeof(int16_t) * kTargetBufferMs / 1000;
    const TPaBufferAttr attr{kPaDefault, target, kPaDefault, kPaDefault, kPaDefault};
    int error = 0;
    void* stream = api->New(nullptr, "Lirabo", kPaStreamPlayback, nullptr, "Pronunciation", &format, nullptr,
                            &attr, &error);
    if (!stream)
        return nullptr;
    return std::make_unique<TPulseSink>(*api, stream);
}

}  // namespace lirabo
