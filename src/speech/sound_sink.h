#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

namespace lirabo {

// Where spoken samples go: the sound device, or a recorder in tests. A sink
// is used by one thread at a time (the speech thread) and closed when
// destroyed, without waiting for what is still queued.
class TSoundSink {
public:
    virtual ~TSoundSink() = default;

    // Queues Count 16-bit mono samples; blocks while the device's buffer is
    // full, which the device keeps short so that a stop is heard at once.
    // False when the device failed: nothing more will play.
    virtual bool Write(const int16_t* Samples, size_t Count) = 0;
    // Waits until what was queued has been heard.
    virtual void Drain() = 0;
    // Drops what is queued without playing it.
    virtual void Flush() = 0;
};

// Opens a sink for SampleRate; null when no sound device can be opened.
using TSoundSinkFactory = std::function<std::unique_ptr<TSoundSink>(int SampleRate)>;

}  // namespace lirabo
