// MIDI to MP3: a 3-minute General MIDI file (written here: drums, bass, piano chords, a
// string pad and a flute melody, with tempo changes) through the wizard's own chain at
// Clock=fast (the sequencer renders into the card's synthesiser line, the recorder records
// it into the temporary wave file, the end of playback starts the encoding at 128 kbit/s),
// against `fluidsynth -ni -F` followed by `lame -b 128` on the same file and font in the
// same run. The runs are paired (tools, chain with Jobs=1, chain with Jobs=2, ...); each chain
// run makes its own sound card, so it loads the font as the fluidsynth run does. Prints the
// medians with their min-max ranges, the ratios of the medians, the real-time factors and
// the length of every recording (the same on every run when the end is exact).
#include "mixer/Unit2.h"
#include "platform/os/Paths.h"
#include "platform/os/ProfileFile.h"
#include "platform/card/SoundCard.h"
#include "platform/midi/SoundFont.h"
#include "platform/midi/SynthLine.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {
constexpr int kSongSeconds = 180;
constexpr int kRounds = 5;

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n == 0 ? 0 : (n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2);
}

std::string summary(const std::vector<double>& v)
{
    char text[96];
    std::snprintf(text, sizeof text, "%.2f s (%.2f-%.2f)", median(v), *std::min_element(v.begin(), v.end()),
                  *std::max_element(v.begin(), v.end()));
    return text;
}

// One track of a Standard MIDI File: delta times and events, ended by WriteTrack.
struct Track {
    std::vector<std::uint8_t> bytes;
    std::uint32_t pending = 0;  // ticks since the last event

    void Delta()
    {
        std::uint8_t buf[4];
        int n = 0;
        std::uint32_t v = pending;
        buf[n++] = v & 0x7F;
        while (v >>= 7)
            buf[n++] = static_cast<std::uint8_t>(0x80 | (v & 0x7F));
        while (n)
            bytes.push_back(buf[--n]);
        pending = 0;
    }
    void Event(std::initializer_list<std::uint8_t> e)
    {
        Delta();
        bytes.insert(bytes.end(), e);
    }
    void Wait(std::uint32_t ticks) { pending += ticks; }
    void Note(int channel, int key, int velocity, std::uint32_t ticks)
    {
        Event({static_cast<std::uint8_t>(0x90 | channel), static_cast<std::uint8_t>(key),
               static_cast<std::uint8_t>(velocity)});
        Wait(ticks);
        Event({static_cast<std::uint8_t>(0x80 | channel), static_cast<std::uint8_t>(key), 64});
    }
};

void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int s = 24; s >= 0; s -= 8)
        out.push_back(static_cast<std::uint8_t>(v >> s));
}

// 480 ticks to the quarter; the tempo moves between 100 and 140 bpm every 16 bars, so the
// music lasts kSongSeconds in all (the tempo map is worked out bar by bar).
std::vector<std::uint8_t> generalMidiSong()
{
    constexpr std::uint32_t kBar = 4 * 480;
    Track tempo, drums, bass, piano, pad, melody;
    // Programs: bass 33, piano 0, strings 48, flute 73; drums on channel 9.
    bass.Event({0xC1, 33});
    piano.Event({0xC2, 0});
    pad.Event({0xC3, 48});
    melody.Event({0xC4, 73});
    const int roots[4] = {48, 53, 55, 45};  // C F G A
    const int scale[8] = {0, 2, 4, 5, 7, 9, 11, 12};
    double seconds = 0;
    for (int bar = 0; seconds < kSongSeconds; ++bar) {
        if (bar % 16 == 0) {
            const int bpm = (bar / 16) % 2 ? 140 : 100;
            const auto us = static_cast<std::uint32_t>(60000000 / bpm);
            tempo.Event({0xFF, 0x51, 0x03, static_cast<std::uint8_t>(us >> 16), static_cast<std::uint8_t>(us >> 8),
                         static_cast<std::uint8_t>(us)});
        }
        const int bpm = (bar / 16) % 2 ? 140 : 100;
        const double barSeconds = 4 * 60.0 / bpm;
        if (seconds + barSeconds > kSongSeconds)
            break;
        seconds += barSeconds;
        tempo.Wait(kBar);
        const int root = roots[bar % 4];
        for (int beat = 0; beat < 8; ++beat)  // eighths: kick, hat, snare
            drums.Note(9, beat % 4 == 0 ? 36 : beat % 4 == 2 ? 38 : 42, 90, 240);
        for (int beat = 0; beat < 4; ++beat)
            bass.Note(1, root - 12 + (beat % 2) * 7, 100, 480);
        for (int half = 0; half < 2; ++half) {
            piano.Event({0x92, static_cast<std::uint8_t>(root + 12), 80});
            piano.Event({0x92, static_cast<std::uint8_t>(root + 16), 80});
            piano.Event({0x92, static_cast<std::uint8_t>(root + 19), 80});
            piano.Wait(960);
            for (int k : {12, 16, 19})
                piano.Event({0x82, static_cast<std::uint8_t>(root + k), 64});
        }
        pad.Event({0x93, static_cast<std::uint8_t>(root), 60});
        pad.Event({0x93, static_cast<std::uint8_t>(root + 7), 60});
        pad.Wait(kBar);
        pad.Event({0x83, static_cast<std::uint8_t>(root), 64});
        pad.Event({0x83, static_cast<std::uint8_t>(root + 7), 64});
        for (int n = 0; n < 4; ++n)
            melody.Note(4, 72 + scale[(bar * 3 + n * 5) % 8], 100, 480);
    }
    std::vector<std::uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 6, 0x01, 0xE0};
    for (Track* t : {&tempo, &drums, &bass, &piano, &pad, &melody}) {
        t->Event({0xFF, 0x2F, 0x00});
        file.insert(file.end(), {'M', 'T', 'r', 'k'});
        put32(file, static_cast<std::uint32_t>(t->bytes.size()));
        file.insert(file.end(), t->bytes.begin(), t->bytes.end());
    }
    return file;
}

double seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// The MIDI flow's chain as the wizard drives it, without the pages: select the synthesiser
// line, record into the temporary file, play with notification; MediaPlayer1Notify starts
// the encoding; the encoding's end finishes the run. Seconds taken.
double wizardChain(const std::string& midi, const std::string& mp3, int jobs, std::int64_t& recordedBytes)
{
    const auto t0 = std::chrono::steady_clock::now();
    SoundLineRegistration synth = RegisterSynthLine();
    SoundCard card(SoundCardSettings::FromProfile(ProfileFile::Settings()));
    WizardState state;
    state.encoder.jobs = jobs;
    state.sourceKind = "midi";
    state.outputFileName = mp3;
    TForm2 form2(state);
    QEventLoop loop;
    WizardHooks hooks;
    hooks.MakeMP3 = [&](const std::string& in, const std::string& out) {
        state.encodingInProgress = true;
        recordedBytes = static_cast<std::int64_t>(std::filesystem::file_size(in));
        form2.StartEncoding(in, out, state.bitRateIndex, false, false);
    };
    hooks.FinishUp = [&] { loop.quit(); };
    hooks.WriteTag = [](const std::string&) { return 0; };
    hooks.CDWriteTag = [](const std::string&) { return 0; };
    hooks.EnableTimer1 = [](bool) {};
    hooks.ShowConversionProgress = [](int) {};
    hooks.EncodingEnded = [](bool) {};
    hooks.RecordingStopped = [] {};
    hooks.PlaybackEnded = [](bool) {};
    form2.SetWizardHooks(std::move(hooks));

    form2.SelMidi();
    form2.MMWaveRecorder1.Wave()->SetFileName(TemporaryWavePath());
    form2.MediaPlayer1.SetFileName(midi);
    form2.MediaPlayer1.Open();
    form2.MediaPlayer1.SetNotifyNext(true);
    state.midiPlaying = true;
    form2.MMWaveRecorder1.StartRecording();
    form2.MediaPlayer1.Play();
    loop.exec();
    const double taken = seconds(t0);
    std::filesystem::remove(TemporaryWavePath());
    return taken;
}
}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("bench_midi_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    SetTemporaryFolderOverride(dir.string());
    setenv("XDG_CONFIG_HOME", dir.c_str(), 1);  // a settings file of the bench's own
    {
        ProfileFile profile = ProfileFile::Settings();
        profile.WriteString("SOUNDCARD_SETUP", "MicDevice", "");
        profile.WriteString("SOUNDCARD_SETUP", "MonitorDevice", "");
        profile.WriteString("SOUNDCARD_SETUP", "Clock", "fast");
    }
    const std::string font = FindSoundFont("");
    if (font.empty()) {
        std::fprintf(stderr, "no General MIDI sound font installed\n");
        return 1;
    }
    const std::string midi = (dir / "song.mid").string();
    {
        const std::vector<std::uint8_t> song = generalMidiSong();
        std::ofstream(midi, std::ios::binary).write(reinterpret_cast<const char*>(song.data()),
                                                    static_cast<std::streamsize>(song.size()));
    }

    const std::string render = "fluidsynth -ni -q -F '" + (dir / "fs.wav").string() + "' -r 44100 '" + font + "' '" +
                               midi + "' >/dev/null 2>&1";
    const std::string encode = "lame --quiet -b 128 --cbr --noreplaygain -t -m s '" + (dir / "fs.wav").string() +
                               "' '" + (dir / "fs.mp3").string() + "'";
    std::vector<double> tools, one, two;
    std::vector<std::int64_t> lengths;
    int result = 0;
    for (int round = 0; round < kRounds && result == 0; ++round) {
        const auto t1 = std::chrono::steady_clock::now();
        result = std::system(render.c_str());
        if (result == 0)
            result = std::system(encode.c_str());
        tools.push_back(seconds(t1));
        std::int64_t bytes = 0;
        one.push_back(wizardChain(midi, (dir / "chain.mp3").string(), 1, bytes));
        lengths.push_back(bytes);
        two.push_back(wizardChain(midi, (dir / "chain.mp3").string(), 2, bytes));
        lengths.push_back(bytes);
    }
    if (result != 0) {
        std::printf("fluidsynth or lame failed (%d)\n", result);
        return 1;
    }
    const auto mp3Bytes = std::filesystem::exists(dir / "chain.mp3") ? std::filesystem::file_size(dir / "chain.mp3") : 0;
    std::printf("%d s General MIDI song, font %s, %d paired runs, median (min-max)\n", kSongSeconds, font.c_str(),
                kRounds);
    std::printf("fluidsynth -F then lame -b 128 -m s: %s\n", summary(tools).c_str());
    std::printf("chain Jobs=1 (font, render, record, encode): %s  %.1fx real time, %.2fx the tools' time\n",
                summary(one).c_str(), kSongSeconds / median(one), median(one) / median(tools));
    std::printf("chain Jobs=2: %s  %.1fx real time, %.2fx the tools' time, %llu bytes\n", summary(two).c_str(),
                kSongSeconds / median(two), median(two) / median(tools), static_cast<unsigned long long>(mp3Bytes));
    std::printf("recorded wave bytes per run:");
    for (std::int64_t b : lengths)
        std::printf(" %lld", static_cast<long long>(b));
    const bool same = std::all_of(lengths.begin(), lengths.end(), [&](std::int64_t b) { return b == lengths.front(); });
    std::printf(same ? "  (all the same)\n" : "  (LENGTHS DIFFER)\n");
    std::filesystem::remove_all(dir);
    return mp3Bytes > 0 && same ? 0 : 1;
}
