#include "speech/speech.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>

namespace lirabo {
namespace {

// Generous: only a hang ever takes this long.
constexpr auto kHangGuard = std::chrono::seconds(120);

// What reached a recording device, sink by sink. The first write can be
// held until the test lets it go, as a full device buffer holds a writer.
struct TDeviceLog {
    struct TSinkRecord {
        size_t Samples = 0;
        bool Flushed = false;
        bool Drained = false;
        bool Closed = false;
    };
    std::mutex Mutex;
    std::condition_variable Changed;
    std::vector<TSinkRecord> Sinks;
    bool HoldFirstWrite = false;
    bool Holding = false;
    bool Released = false;
    int Failures = 0;  // words reported as not heard

    template <typename TPredicate>
    bool WaitFor(TPredicate Predicate)
    {
        std::unique_lock lock(Mutex);
        return Changed.wait_for(lock, kHangGuard, Predicate);
    }
    void Fail()
    {
        std::lock_guard lock(Mutex);
        ++Failures;
        Changed.notify_all();
    }
    void Release()
    {
        std::lock_guard lock(Mutex);
        Released = true;
        Changed.notify_all();
    }
};

class TRecordingSink : public TSoundSink {
public:
    TRecordingSink(TDeviceLog& Log, size_t Index) : FLog(Log), FIndex(Index) {}
    ~TRecordingSink() override
    {
        Update([](auto& Record) { Record.Closed = true; });
    }

    bool Write(const int16_t*, size_t Count) override
    {
        std::unique_lock lock(FLog.Mutex);
        if (FLog.HoldFirstWrite && FIndex == 0) {
            FLog.Holding = true;
            FLog.Changed.notify_all();
            FLog.Changed.wait(lock, [this] { return FLog.Released; });
        }
        FLog.Sinks[FIndex].Samples += Count;
        FLog.Changed.notify_all();
        return true;
    }
    void Drain() override
    {
        Update([](auto& Record) { Record.Drained = true; });
    }
    void Flush() override
    {
        Update([](auto& Record) { Record.Flushed = true; });
    }

private:
    template <typename TChange>
    void Update(TChange Change)
    {
        std::lock_guard lock(FLog.Mutex);
        Change(FLog.Sinks[FIndex]);
        FLog.Changed.notify_all();
    }

    TDeviceLog& FLog;
    size_t FIndex;
};

TSoundSinkFactory Recorder(TDeviceLog& Log)
{
    return [&Log](int) -> std::unique_ptr<TSoundSink> {
        std::lock_guard lock(Log.Mutex);
        Log.Sinks.emplace_back();
        return std::make_unique<TRecordingSink>(Log, Log.Sinks.size() - 1);
    };
}

// About three minutes of speech: far more than a test waits for.
std::string LongText()
{
    std::string text;
    while (text.size() < 4000)
        text += "the house is on the hill and the garden is behind it. ";
    return text;
}

int Loudest(const std::vector<int16_t>& Samples)
{
    int loudest = 0;
    for (const int16_t sample : Samples)
        loudest = std::max(loudest, std::abs(static_cast<int>(sample)));
    return loudest;
}

// espeak-ng varies its intonation at random: one word's length differs by a
// few samples from one synthesis to the next.
void ExpectSameWord(size_t Played, size_t Synthesised)
{
    EXPECT_NEAR(static_cast<double>(Played), static_cast<double>(Synthesised), Synthesised / 10.0);
}

TEST(SpeechTest, SynthesisesWordsOfTheLanguagesAsked)
{
    const struct {
        const char* Language;
        std::string Text;
        TSpeech::TAvailability Availability;
        double MinSeconds, MaxSeconds;
    } cases[] = {
        {"en", "house", TSpeech::TAvailability::Ready, 0.2, 2},
        {"EN", "house", TSpeech::TAvailability::Ready, 0.2, 2},
        {"de", "Haus", TSpeech::TAvailability::Ready, 0.2, 2},
        {"el", "\xCF\x83\xCF\x80\xCE\xAF\xCF\x84\xCE\xB9", TSpeech::TAvailability::Ready, 0.2, 2},
        {"pl", "dom", TSpeech::TAvailability::Ready, 0.1, 2},
        {"ru", "\xD0\xB4\xD0\xBE\xD0\xBC", TSpeech::TAvailability::Ready, 0.1, 2},
        {"ar", "\xD8\xA8\xD9\x8A\xD8\xAA", TSpeech::TAvailability::Ready, 0.1, 2},
        {"ja", "\xE3\x81\x84\xE3\x81\x88", TSpeech::TAvailability::Ready, 0.1, 2},
        // Invalid UTF-8 is spoken around, never passed on.
        {"en", "ho\xFF\xC0use", TSpeech::TAvailability::Ready, 0.2, 5},
        // Markup is read as text, not obeyed: the break would add ten seconds.
        {"en", "house <break time=\"10s\"/>", TSpeech::TAvailability::Ready, 0.2, 9},
        {"en", "", TSpeech::TAvailability::Ready, 0, 0},
        {"en", " \x01\x02 ", TSpeech::TAvailability::Ready, 0, 0},
        // Abkhazian: a valid code that espeak-ng has no voice for.
        {"ab", "house", TSpeech::TAvailability::NoVoice, 0, 0},
        {"", "house", TSpeech::TAvailability::NoVoice, 0, 0},
        {"en;rm", "house", TSpeech::TAvailability::NoVoice, 0, 0},
    };
    TSpeech speech;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Language << " " << c.Text);
        EXPECT_EQ(speech.Availability(c.Language), c.Availability);
        const std::vector<int16_t> samples = speech.Synthesize(c.Text, c.Language);
        ASSERT_GT(speech.SampleRate(), 0);
        const double seconds = static_cast<double>(samples.size()) / speech.SampleRate();
        EXPECT_GE(seconds, c.MinSeconds);
        EXPECT_LE(seconds, c.MaxSeconds);
        if (c.MinSeconds > 0) {
            EXPECT_GT(Loudest(samples), 1000) << "silence";
        }
    }
}

TEST(SpeechTest, LibraryWithoutSpeechIsNoLibrary)
{
    // A file that does not exist, and a library without espeak's entry points.
    for (const char* name : {"libespeak-ng-missing.so.1", "libm.so.6"}) {
        SCOPED_TRACE(name);
        TDeviceLog log;
        TSpeech speech(name, Recorder(log));
        EXPECT_EQ(speech.Availability("en"), TSpeech::TAvailability::NoLibrary);
        EXPECT_EQ(speech.Availability(""), TSpeech::TAvailability::NoLibrary);
        EXPECT_TRUE(speech.Synthesize("house", "en").empty());
        EXPECT_FALSE(speech.Speak("house", "en"));
        EXPECT_EQ(speech.SampleRate(), 0);
        EXPECT_TRUE(log.Sinks.empty());
    }
}

TEST(SpeechTest, SpeakPlaysTheWholeWordOnTheDevice)
{
    TDeviceLog log;
    TSpeech speech(TSpeech::kLibraryName, Recorder(log));
    const size_t expected = speech.Synthesize("house", "en").size();
    ASSERT_GT(expected, 0u);
    ASSERT_TRUE(speech.Speak("house", "en"));
    ASSERT_TRUE(log.WaitFor([&] { return !log.Sinks.empty() && log.Sinks[0].Closed; }));
    ExpectSameWord(log.Sinks[0].Samples, expected);
    EXPECT_TRUE(log.Sinks[0].Drained);
    EXPECT_FALSE(log.Sinks[0].Flushed);
}

// Speak returns before the device is tried, so a word nobody can hear has to
// be reported afterwards: once per word, and only when there is no device.
TEST(SpeechTest, AWordThatCannotBeHeardIsReported)
{
    for (const bool device : {false, true}) {
        SCOPED_TRACE(device ? "a device" : "no device");
        TDeviceLog log;
        TSpeech speech(TSpeech::kLibraryName,
                       device ? Recorder(log) : [](int) { return std::unique_ptr<TSoundSink>(); });
        speech.SetOnSoundFailed([&log] { log.Fail(); });
        for (int word = 1; word <= 2; ++word) {
            ASSERT_TRUE(speech.Speak("house", "en"));
            // One word at a time, so that the second does not replace the first.
            ASSERT_TRUE(log.WaitFor([&] {
                const auto closed = std::count_if(log.Sinks.begin(), log.Sinks.end(),
                                                  [](const auto& Sink) { return Sink.Closed; });
                return log.Failures + closed == word;
            }));
        }
        EXPECT_EQ(log.Failures, device ? 0 : 2);
    }
}

TEST(SpeechTest, RequestsThatSpeakNothingNeverOpenTheDevice)
{
    TDeviceLog log;
    {
        TSpeech speech(TSpeech::kLibraryName, Recorder(log));
        EXPECT_FALSE(speech.Speak("house", "ab"));
        EXPECT_FALSE(speech.Speak("house", ""));
        EXPECT_TRUE(speech.Speak("", "en"));
        EXPECT_TRUE(speech.Speak("\x01  ", "en"));
    }
    EXPECT_TRUE(log.Sinks.empty());
}

// The first text is held at its first write; then a new request arrives.
TEST(SpeechTest, NewRequestOrStopSilencesTheTextBefore)
{
    for (const bool byStop : {false, true}) {
        SCOPED_TRACE(byStop ? "Stop" : "Speak");
        TDeviceLog log;
        log.HoldFirstWrite = true;
        TSpeech speech(TSpeech::kLibraryName, Recorder(log));
        const size_t longSamples = speech.Synthesize(LongText(), "en").size();
        ASSERT_TRUE(speech.Speak(LongText(), "en"));
        ASSERT_TRUE(log.WaitFor([&] { return log.Holding; }));

        // The library is free while the device plays.
        const size_t house = speech.Synthesize("house", "en").size();
        EXPECT_GT(house, 0u);
        if (byStop)
            speech.Stop();
        else
            ASSERT_TRUE(speech.Speak("house", "en"));
        log.Release();

        ASSERT_TRUE(log.WaitFor([&] { return log.Sinks[0].Closed; }));
        EXPECT_TRUE(log.Sinks[0].Flushed);
        EXPECT_FALSE(log.Sinks[0].Drained);
        EXPECT_LT(log.Sinks[0].Samples, longSamples / 2);
        if (byStop)
            continue;
        ASSERT_TRUE(log.WaitFor([&] { return log.Sinks.size() == 2 && log.Sinks[1].Closed; }));
        ExpectSameWord(log.Sinks[1].Samples, house);
        EXPECT_TRUE(log.Sinks[1].Drained);
    }
}

TEST(SpeechTest, RequestsInQuickSuccessionOnTheSystemDevice)
{
    // Here usually without any sound device: each request fails quietly.
    auto speech = std::make_unique<TSpeech>();
    EXPECT_TRUE(speech->Speak(LongText(), "en"));
    EXPECT_TRUE(speech->Speak("house", "de"));
    EXPECT_TRUE(speech->Speak("\xCF\x83\xCF\x80\xCE\xAF\xCF\x84\xCE\xB9", "el"));
    speech.reset();

    TSpeech another;
    EXPECT_TRUE(another.Speak("house", "en"));
    another.Stop();
    EXPECT_FALSE(another.Synthesize("house", "en").empty());
}

}  // namespace
}  // namespace lirabo
