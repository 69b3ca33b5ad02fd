#include "platform/midi/MidiSynth.h"

#include "platform/midi/SoundFont.h"
#include "platform/os/MessageTarget.h"
#include "platform/os/ProfileFile.h"

#include <QCoreApplication>

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {
MidiSynth* current = nullptr;  // main thread only

struct SettingsDeleter {
    void operator()(fluid_settings_t* s) const { delete_fluid_settings(s); }
};
struct SynthDeleter {
    void operator()(fluid_synth_t* s) const { delete_fluid_synth(s); }
};
struct PlayerDeleter {
    void operator()(fluid_player_t* p) const { delete_fluid_player(p); }
};

// Output below this magnitude counts as silence when the release tail is judged.
constexpr int kSilence = 8;
// The play and its tail are rendered in short pieces, so that the song's end and the tail's
// are found within a few milliseconds, at the same frame on every run.
constexpr std::size_t kTailPiece = 256;

std::uint64_t framesFor(std::uint32_t ms)
{
    return (std::uint64_t{ms} * MidiSynth::SampleRate + 500) / 1000;
}

// The errors FluidSynth reports on the thread that loads a font, gathered for the message
// that tells the user why the font cannot be used; elsewhere they go to stderr.
thread_local std::string* capturedErrors = nullptr;

void logError(int, const char* message, void*)
{
    if (!message)
        return;
    const std::string text(message);
    if (!capturedErrors) {
        std::fprintf(stderr, "fluidsynth: %s\n", message);
        return;
    }
    // The first complaint says what is wrong; after it the other loaders' refusals (a DLS
    // reader that takes the file for DLS) and the summary only repeat that it failed.
    if (capturedErrors->empty() && text.rfind("Failed to load", 0) != 0)
        *capturedErrors = text;
}

// Gathers the errors reported on this thread while it lives.
class ErrorCapture {
public:
    explicit ErrorCapture(std::string& into) { capturedErrors = &into; }
    ~ErrorCapture() { capturedErrors = nullptr; }
    ErrorCapture(const ErrorCapture&) = delete;
    ErrorCapture& operator=(const ErrorCapture&) = delete;
};

void quietLog()
{
    // FluidSynth reports missing presets and the like on stderr; our own errors say enough.
    static const bool once = [] {
        fluid_set_log_function(FLUID_ERR, logError, nullptr);
        fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
        fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
        fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
        return true;
    }();
    (void)once;
}
}  // namespace

// The font is loaded once, into `holder`; every play gets a synthesiser of its own that
// borrows it, so no state of an earlier play (reverb and chorus lines, the block clock)
// reaches the next.
struct MidiSynth::Fluid {
    std::unique_ptr<fluid_settings_t, SettingsDeleter> settings;
    std::unique_ptr<fluid_synth_t, SynthDeleter> holder;
    fluid_sfont_t* font = nullptr;  // the holder's
    std::unique_ptr<fluid_synth_t, SynthDeleter> synth;
    std::unique_ptr<fluid_player_t, PlayerDeleter> player;  // the play in progress

    // A fresh synthesiser with the font; false when FluidSynth cannot make one.
    bool Renew()
    {
        player.reset();
        DropSynth();
        synth.reset(new_fluid_synth(settings.get()));
        if (!synth)
            return false;
        if (fluid_synth_add_sfont(synth.get(), font) == FLUID_FAILED) {
            synth.reset();
            return false;
        }
        return true;
    }
    // The font stays the holder's: it leaves the play's synthesiser before that goes.
    void DropSynth()
    {
        if (synth)
            fluid_synth_remove_sfont(synth.get(), font);
        synth.reset();
    }

    ~Fluid()
    {
        player.reset();
        DropSynth();
        holder.reset();
        settings.reset();
    }
};

SynthOptions SynthOptions::FromProfile(const ProfileFile& settings)
{
    SynthOptions o;
    o.reverb = settings.ReadInteger("SOUNDCARD_SETUP", "Reverb", 1) != 0;
    o.chorus = settings.ReadInteger("SOUNDCARD_SETUP", "Chorus", 1) != 0;
    const int gain = settings.ReadInteger("SOUNDCARD_SETUP", "SynthGain", 0);
    if (gain >= kMinGainDb && gain <= kMaxGainDb)
        o.gainDb = gain;
    return o;
}

std::unique_ptr<MidiSynth> MidiSynth::Create(const std::string& soundFont, std::string& error)
{
    quietLog();
    if (!IsUsableSoundFont(soundFont)) {
        error = (soundFont.empty() ? QCoreApplication::translate("MidiSynth", "No sound font is available for the MIDI synthesiser.")
                                   : QCoreApplication::translate("MidiSynth", "The sound font \"%1\" cannot be loaded.")
                                         .arg(QString::fromStdString(soundFont)))
                    .toStdString();
        return nullptr;
    }
    return std::unique_ptr<MidiSynth>(new MidiSynth(soundFont));
}

std::unique_ptr<MidiSynth::Fluid> MidiSynth::LoadFluid(const std::string& soundFont, std::string& error)
{
    auto fluid = std::make_unique<Fluid>();
    fluid->settings.reset(new_fluid_settings());
    if (!fluid->settings) {
        error = QCoreApplication::translate("MidiSynth", "The MIDI synthesiser cannot start.").toStdString();
        return nullptr;
    }
    fluid_settings_t* s = fluid->settings.get();
    fluid_settings_setnum(s, "synth.sample-rate", SampleRate);
    // The player follows the rendered samples, and it must not reset the synthesiser at the
    // end of the song: that would cut the release of the last notes.
    fluid_settings_setstr(s, "player.timing-source", "sample");
    fluid_settings_setint(s, "player.reset-synth", 0);
    // Only the font's tables are read now; an instrument's samples are read when a play
    // selects it, so a large font costs neither time nor memory for what a song never uses.
    fluid_settings_setint(s, "synth.dynamic-sample-loading", 1);
    fluid->holder.reset(new_fluid_synth(s));
    if (!fluid->holder) {
        error = QCoreApplication::translate("MidiSynth", "The MIDI synthesiser cannot start.").toStdString();
        return nullptr;
    }
    std::string reasons;
    int id = FLUID_FAILED;
    {
        const ErrorCapture capture(reasons);
        id = IsUsableSoundFont(soundFont) ? fluid_synth_sfload(fluid->holder.get(), soundFont.c_str(), 1)
                                          : FLUID_FAILED;
    }
    fluid->font = id == FLUID_FAILED ? nullptr : fluid_synth_get_sfont_by_id(fluid->holder.get(), id);
    if (!fluid->font) {
        error = (reasons.empty()
                     ? QCoreApplication::translate("MidiSynth",
                                                   "The sound font \"%1\" cannot be loaded: it is not a usable SoundFont 2 file.")
                           .arg(QString::fromStdString(soundFont))
                     : QCoreApplication::translate("MidiSynth", "The sound font \"%1\" cannot be loaded: %2.")
                           .arg(QString::fromStdString(soundFont), QString::fromStdString(reasons)))
                    .toStdString();
        return nullptr;
    }
    if (!fluid->Renew()) {
        error = QCoreApplication::translate("MidiSynth", "The MIDI synthesiser cannot start.").toStdString();
        return nullptr;
    }
    return fluid;
}

MidiSynth* MidiSynth::Current()
{
    return current;
}

void MidiSynth::SetOptions(const SynthOptions& options)
{
    std::lock_guard lock(mutex_);
    options_ = options;
}

MidiSynth::MidiSynth(std::string soundFont)
    : soundFont_(std::move(soundFont)), handOver_(std::make_shared<MidiSynth*>(this))
{
    current = this;
}

MidiSynth::~MidiSynth()
{
    if (current == this)
        current = nullptr;
    // A load in progress cannot be interrupted inside FluidSynth: it is waited for, and its
    // posted hand-over finds nothing to hand over to.
    handOver_.reset();
    if (loader_.joinable())
        loader_.join();
    std::lock_guard lock(mutex_);
    fluid_.reset();
}

bool MidiSynth::LoadFont(std::string& error)
{
    if (fontState_ == FontState::Unloaded) {
        fontState_ = FontState::Loading;
        std::string why;
        std::unique_ptr<Fluid> fluid = LoadFluid(soundFont_, why);
        std::lock_guard lock(loadMutex_);
        loaded_ = std::move(fluid);
        loadError_ = std::move(why);
    }
    if (fontState_ == FontState::Loading)
        TakeLoadedFont();
    if (fontState_ == FontState::Loaded)
        return true;
    error = fontError_;
    return false;
}

void MidiSynth::LoadFontInBackground(FontHandler done)
{
    if (fontState_ == FontState::Loaded || fontState_ == FontState::Failed) {
        if (done)
            done(fontState_ == FontState::Loaded, fontError_);
        return;
    }
    if (done)
        fontHandlers_.push_back(std::move(done));
    if (fontState_ == FontState::Loading)
        return;
    fontState_ = FontState::Loading;
    loader_ = std::thread([this, font = soundFont_, handOver = std::weak_ptr<MidiSynth*>(handOver_)] {
        // The loader thread: FluidSynth reads the font; the main thread takes it over.
        std::string why;
        std::unique_ptr<Fluid> fluid = LoadFluid(font, why);
        {
            std::lock_guard lock(loadMutex_);
            loaded_ = std::move(fluid);
            loadError_ = std::move(why);
        }
        PostToMainThread([handOver] {
            if (const auto synth = handOver.lock())
                (*synth)->TakeLoadedFont();
        });
    });
}

void MidiSynth::TakeLoadedFont()
{
    // A synchronous load may have taken the font over before the loader's message came.
    if (fontState_ != FontState::Loading)
        return;
    if (loader_.joinable())
        loader_.join();
    std::unique_ptr<Fluid> fluid;
    {
        std::lock_guard lock(loadMutex_);
        fluid = std::move(loaded_);
        fontError_ = std::move(loadError_);
    }
    fontState_ = fluid ? FontState::Loaded : FontState::Failed;
    if (fluid) {
        fontError_.clear();
        std::lock_guard lock(mutex_);
        fluid_ = std::move(fluid);
    }
    std::vector<FontHandler> handlers;
    std::swap(handlers, fontHandlers_);
    for (FontHandler& handler : handlers)
        handler(fontState_ == FontState::Loaded, fontError_);
}

bool MidiSynth::Play(const Song& song, EndHandler onEnd, std::string& error)
{
    if (!LoadFont(error))
        return false;
    std::lock_guard lock(mutex_);
    const SynthOptions options = options_;
    if (state_ != State::Idle)
        Silence();
    // Every play starts from the General MIDI power-on state, on a synthesiser of its own;
    // a play from a later position gets the programs and controllers before it from the
    // player's seek.
    if (!fluid_->Renew()) {
        error = QCoreApplication::translate("MidiSynth", "The MIDI synthesiser cannot play the file.").toStdString();
        return false;
    }
    fluid_synth_t* synth = fluid_->synth.get();
    fluid_synth_reverb_on(synth, -1, options.reverb ? 1 : 0);
    fluid_synth_chorus_on(synth, -1, options.chorus ? 1 : 0);
    if (options.gainDb != 0)
        fluid_synth_set_gain(synth, fluid_synth_get_gain(synth) * static_cast<float>(std::pow(10.0, options.gainDb / 20.0)));
    fluid_->player.reset(new_fluid_player(synth));
    fluid_player_t* player = fluid_->player.get();
    if (!player || !song.file || fluid_player_add_mem(player, song.file->data(), song.file->size()) != FLUID_OK ||
        (song.fromTick > 0 && fluid_player_seek(player, static_cast<int>(song.fromTick)) != FLUID_OK) ||
        fluid_player_play(player) != FLUID_OK) {
        fluid_->player.reset();
        error = QCoreApplication::translate("MidiSynth", "The MIDI synthesiser cannot play the file.").toStdString();
        return false;
    }
    onEnd_ = std::move(onEnd);
    fromMs_ = song.fromMs;
    toMs_ = std::max(song.fromMs, song.toMs);
    positionMs_ = fromMs_;
    playFrames_ = 0;
    endFrames_ = framesFor(toMs_) - framesFor(fromMs_);
    tailFrames_ = 0;
    state_ = State::Playing;
    return true;
}

bool MidiSynth::Stop()
{
    std::lock_guard lock(mutex_);
    if (state_ == State::Idle)
        return false;
    Silence();
    return true;
}

void MidiSynth::SetPosition(std::uint32_t ms)
{
    std::lock_guard lock(mutex_);
    if (state_ == State::Idle)
        positionMs_ = ms;
}

bool MidiSynth::Playing() const
{
    std::lock_guard lock(mutex_);
    return state_ != State::Idle;
}

std::uint32_t MidiSynth::PositionMs() const
{
    std::lock_guard lock(mutex_);
    return positionMs_;
}

bool MidiSynth::WaitIdle(std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(mutex_);
    return idle_.wait_for(lock, timeout, [this] { return state_ == State::Idle; });
}

bool MidiSynth::Write(std::int16_t* at, std::size_t n)
{
    scratch_.resize(n * Channels);
    if (fluid_synth_write_float(fluid_->synth.get(), static_cast<int>(n), scratch_.data(), 0, 2, scratch_.data(), 1,
                                2) != FLUID_OK)
        return false;
    // FluidSynth's own 16-bit output adds dither that runs on from play to play; rounding
    // keeps a play's frames its own.
    for (std::size_t i = 0; i < n * Channels; ++i)
        at[i] = static_cast<std::int16_t>(std::clamp(std::lrint(scratch_[i] * 32766.0f), -32768L, 32767L));
    return true;
}

PlayMarks MidiSynth::Render(std::int16_t* out, std::size_t frames)
{
    std::lock_guard lock(mutex_);
    PlayMarks marks;
    if (state_ == State::Playing && playFrames_ == 0)
        marks.start = 0;
    std::size_t done = 0;
    while (done < frames) {
        std::int16_t* at = out + done * Channels;
        std::size_t n = frames - done;
        if (state_ == State::Idle || !fluid_) {
            std::fill(at, at + n * Channels, std::int16_t{0});
            return marks;
        }
        // The play is rendered in pieces on a fixed grid from its first frame, so the end of
        // the song is noticed at the same frame however the card asks for the audio: every
        // run of a file then has the same length.
        if (state_ == State::Playing)
            n = static_cast<std::size_t>(
                std::min<std::uint64_t>({n, endFrames_ - playFrames_, kTailPiece - playFrames_ % kTailPiece}));
        else
            n = static_cast<std::size_t>(std::min<std::uint64_t>(n, kTailPiece - tailFrames_ % kTailPiece));
        if (n > 0 && !Write(at, n)) {
            std::fill(at, out + frames * Channels, std::int16_t{0});
            marks.end = done;
            Finish(false);
            return marks;
        }
        done += n;
        if (state_ == State::Playing) {
            playFrames_ += n;
            positionMs_ = fromMs_ + static_cast<std::uint32_t>(playFrames_ * 1000 / SampleRate);
            if (playFrames_ >= endFrames_ || fluid_player_get_status(fluid_->player.get()) == FLUID_PLAYER_DONE)
                BeginTail();
            continue;
        }
        tailFrames_ += n;
        tailLoud_ = tailLoud_ || !std::all_of(at, at + n * Channels, [](std::int16_t v) { return std::abs(v) < kSilence; });
        // The end is judged on whole pieces only, whatever share of one a call renders.
        if (tailFrames_ % kTailPiece != 0)
            continue;
        const bool silent = !tailLoud_;
        tailLoud_ = false;
        if ((silent && fluid_synth_get_active_voice_count(fluid_->synth.get()) == 0) ||
            tailFrames_ >= framesFor(MaxTailMs)) {
            marks.end = done;
            Finish(true);
        }
    }
    return marks;
}

void MidiSynth::BeginTail()
{
    fluid_synth_t* synth = fluid_->synth.get();
    fluid_->player.reset();
    // Pedals up and every note released: the voices fade out with their own release.
    for (int channel = 0; channel < 16; ++channel) {
        fluid_synth_cc(synth, channel, 64, 0);
        fluid_synth_cc(synth, channel, 66, 0);
    }
    fluid_synth_all_notes_off(synth, -1);
    positionMs_ = toMs_;
    tailFrames_ = 0;
    tailLoud_ = false;
    state_ = State::Tail;
}

void MidiSynth::Finish(bool ok)
{
    EndHandler handler;
    std::swap(handler, onEnd_);
    Silence();
    if (ok)
        positionMs_ = toMs_;
    if (handler)
        handler(ok);
}

void MidiSynth::Silence()
{
    if (fluid_ && fluid_->synth) {
        fluid_->player.reset();
        fluid_synth_all_sounds_off(fluid_->synth.get(), -1);
    }
    onEnd_ = nullptr;
    state_ = State::Idle;
    idle_.notify_all();
}
