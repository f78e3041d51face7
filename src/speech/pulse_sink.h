#pragma once

#include <memory>

#include "speech/sound_sink.h"

namespace lirabo {

// The sound server's sink (PulseAudio, or PipeWire through its PulseAudio
// service, which every current Linux desktop runs), reached through
// libpulse-simple loaded at run time. Null, quietly and at once, when the
// library or a server is missing, as on build machines.
std::unique_ptr<TSoundSink> OpenPulseSink(int SampleRate);

}  // namespace lirabo
