#include "platform/card/SoundCard.h"

#include "platform/card/alsa/AlsaPcm.h"
#include "platform/card/CardClock.h"
#include "platform/card/CardMix.h"
#include "platform/card/CardMixer.h"
#include "platform/Errors.h"
#include "platform/os/ErrorReport.h"
#include "platform/os/ProfileFile.h"
#include "platform/card/SoundLine.h"

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cctype>
#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace {
// Frames the card mixes at a time: about 23 ms.
constexpr std::size_t kPeriodFrames = 1024;

SoundCard* currentCard = nullptr;  // main thread only

bool equalsIgnoringCase(const std::string& a, const char* b)
{
    const std::string lower = [&] {
        std::string s = a;
        for (char& c : s)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        return s;
    }();
    return lower == b;
}

// Card thread. Plays what the monitor device takes now and drops the rest, so a monitor
// that runs slow never holds up the recording.
void playOnMonitor(snd_pcm_t* pcm, std::span<const std::int16_t> samples)
{
    snd_pcm_sframes_t n = snd_pcm_writei(pcm, samples.data(), samples.size() / kCardChannels);
    if (n == -EPIPE || n == -ESTRPIPE) {
        if (snd_pcm_recover(pcm, int(n), 1) == 0)
            snd_pcm_writei(pcm, samples.data(), samples.size() / kCardChannels);
    }
}
}  // namespace

namespace {
// The lines FollowDevices makes anew or adds when their setting changes.
constexpr std::uint32_t kFollowedLines[] = {MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER, MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE,
                                            MIXERLINE_COMPONENTTYPE_SRC_LINE, MIXERLINE_COMPONENTTYPE_SRC_AUXILIARY};

// The setting a line of this type is made with: its capture device, or the sound font.
std::optional<std::string> LineSettingOf(const SoundCardSettings& settings, std::uint32_t componentType)
{
    if (componentType == MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER)
        return settings.soundFont;
    return CaptureDeviceOf(settings, componentType);
}
}  // namespace

std::optional<std::string> CaptureDeviceOf(const SoundCardSettings& settings, std::uint32_t componentType)
{
    switch (componentType) {
    case MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE: return settings.micDevice;
    case MIXERLINE_COMPONENTTYPE_SRC_LINE: return settings.lineDevice;
    case MIXERLINE_COMPONENTTYPE_SRC_AUXILIARY: return settings.auxDevice;
    default: return std::nullopt;
    }
}

SoundCardSettings SoundCardSettings::FromProfile(const ProfileFile& profile)
{
    const std::string section = "SOUNDCARD_SETUP";
    SoundCardSettings s;
    s.micDevice = profile.ReadString(section, "MicDevice", s.micDevice);
    s.lineDevice = profile.ReadString(section, "LineDevice", s.lineDevice);
    s.auxDevice = profile.ReadString(section, "AuxDevice", s.auxDevice);
    s.monitorDevice = profile.ReadString(section, "MonitorDevice", s.monitorDevice);
    s.cdDevice = profile.ReadString(section, "CdDevice", s.cdDevice);
    s.soundFont = profile.ReadString(section, "SoundFont", s.soundFont);
    s.fastClock = equalsIgnoringCase(profile.ReadString(section, "Clock", ""), "fast");
    s.settingsFile = profile.Path();
    return s;
}

struct SoundCard::Impl {
    explicit Impl(SoundCardSettings s) : settings(std::move(s)), fastClock(settings.fastClock) {}

    // Any thread: something the card thread looks at has changed.
    void Wake();
    // Card thread: the mixing loop, until quit.
    void Run();
    // Card thread: waits until Wake was called after `seen` was taken, or quit.
    void WaitForChange(std::uint64_t seen);
    // Card thread: true when woken to quit before `deadline`.
    bool SleepUntil(CardClock::Clock::time_point deadline);

    // Card thread, under wakeLock: puts the lines handed over by FollowDevices in their
    // places (or after the others), an old line that was running stopped first and moved to
    // `retired`, and the monitor handed over in place of the old one. Returns the lines'
    // indices, for the mixer to hear outside the lock.
    std::vector<std::size_t> TakeIncomingLines(std::vector<bool>& active);

    // Main thread only: the devices the card follows now (FollowDevices).
    SoundCardSettings settings;
    // Used by the card thread while it runs; a line is replaced or added only by the card
    // thread, under wakeLock (TakeIncomingLines), so other threads read them under wakeLock.
    std::vector<MadeSoundLine> lines;
    // Main thread only: the setting each line was made with (its capture device, the sound
    // font), by line; and, for a type without a line, the setting last tried.
    std::vector<std::string> lineSettings;
    std::map<std::uint32_t, std::string> absentTried;
    std::unique_ptr<CardMixer> mixer;
    std::unique_ptr<CardWaveIn> waveIn;
    AlsaPcm monitor;  // null when MonitorDevice cannot be opened; card thread after start

    // Set by the main thread, read by the card thread: Clock=fast, or the user's choice.
    std::atomic<bool> fastClock;
    std::mutex holdLock;
    std::function<bool()> hold;  // guarded by holdLock: SetFastPaceHold's
    // Card thread: whether the fast pace waits for the recording's taker.
    bool Held()
    {
        std::lock_guard lock(holdLock);
        return hold && hold();
    }

    // Guarded by wakeLock.
    std::mutex wakeLock;
    std::condition_variable wakeUp;
    std::uint64_t generation = 0;  // counts changes the card thread has to look at
    bool quit = false;
    bool threadRunning = false;  // the card thread's loop runs
    // Lines from the main thread, by index (an index past the lines adds one), and the
    // lines they replaced, which the main thread destroys; the monitor device to play on
    // from now (set when `monitorComing`) and the one it replaced; `swapped` tells the main
    // thread the card thread took them.
    std::vector<std::pair<std::size_t, MadeSoundLine>> incoming;
    std::vector<std::unique_ptr<SoundLine>> retired;
    AlsaPcm incomingMonitor, retiredMonitor;
    bool monitorComing = false;
    std::condition_variable swapped;

    // A clip the speakers play (PlayOnSpeakers). `speakerClip` is guarded by wakeLock; the
    // card thread takes it at the start of each round and marks the round with its number
    // in `clipInRound` (guarded by wakeLock), cleared when the round ends, so a stop can
    // wait until the clip is written no more.
    struct SpeakerClip {
        std::vector<std::int16_t> samples;
        std::size_t next = 0;  // the first sample not played yet; card thread only
        std::function<void()> ended;
        std::uint64_t number = 0;
    };
    std::shared_ptr<SpeakerClip> speakerClip;
    std::uint64_t clipInRound = 0;
    std::uint64_t clipsMade = 0;  // main thread only

    // Card thread: the clip has been played; it is told once, unless a stop came first.
    void EndClip(const std::shared_ptr<SpeakerClip>& clip);

    std::thread thread;  // started last, joined first
};

void SoundCard::Impl::EndClip(const std::shared_ptr<SpeakerClip>& clip)
{
    bool current = false;
    {
        std::lock_guard lock(wakeLock);
        current = speakerClip == clip;
        if (current)
            speakerClip.reset();
    }
    if (current && clip->ended)
        clip->ended();
}

void SoundCard::Impl::Wake()
{
    {
        std::lock_guard lock(wakeLock);
        ++generation;
    }
    wakeUp.notify_all();
}

void SoundCard::Impl::WaitForChange(std::uint64_t seen)
{
    std::unique_lock lock(wakeLock);
    wakeUp.wait(lock, [&] { return quit || generation != seen; });
}

bool SoundCard::Impl::SleepUntil(CardClock::Clock::time_point deadline)
{
    std::unique_lock lock(wakeLock);
    return wakeUp.wait_until(lock, deadline, [&] { return quit; });
}

std::vector<std::size_t> SoundCard::Impl::TakeIncomingLines(std::vector<bool>& active)
{
    std::vector<std::size_t> taken;
    for (auto& [index, made] : incoming) {
        if (index >= lines.size()) {
            lines.push_back(std::move(made));
            active.push_back(false);
            taken.push_back(lines.size() - 1);
            continue;
        }
        if (active[index]) {
            lines[index].line->Stop();
            active[index] = false;  // the new line is started when it is needed
        }
        std::swap(lines[index].line, made.line);
        retired.push_back(std::move(made.line));
        taken.push_back(index);
    }
    incoming.clear();
    if (monitorComing) {
        std::swap(monitor, incomingMonitor);
        retiredMonitor = std::move(incomingMonitor);
        monitorComing = false;
    }
    swapped.notify_all();
    return taken;
}

// Card thread: the mixing loop. Each round takes the current levels, decides which lines
// it needs, waits for its clock (or, at Clock=fast, for room in the recorder's buffers),
// reads one period from every needed line and hands the two mixes on.
void SoundCard::Impl::Run()
{
    std::vector<bool> active(lines.size(), false);
    std::vector<std::vector<std::int16_t>> samples;
    std::vector<std::int16_t> waveMix(kPeriodFrames * kCardChannels);
    std::vector<std::int16_t> speakerMix(kPeriodFrames * kCardChannels);
    std::vector<std::int16_t> clipPeriod(kPeriodFrames * kCardChannels);
    std::shared_ptr<SpeakerClip> clip;  // the speakers' clip of this round
    std::vector<MixInput> waveInputs, speakerInputs;
    CardClock clock(kCardRate);
    bool running = false;
    bool wasFast = false;

    auto setActive = [&](std::size_t i, bool on) {
        if (active[i] == on)
            return;
        active[i] = on;
        if (on)
            lines[i].line->Start();
        else
            lines[i].line->Stop();
    };

    // Every round, however it ends, lets a stop waiting for its clip go on.
    struct RoundEnd {
        Impl& d;
        std::shared_ptr<SpeakerClip>& clip;
        ~RoundEnd()
        {
            if (!clip)
                return;
            clip.reset();
            {
                std::lock_guard lock(d.wakeLock);
                d.clipInRound = 0;
            }
            d.swapped.notify_all();
        }
    };

    for (;;) {
        std::uint64_t seen;
        std::vector<std::size_t> replaced;
        RoundEnd roundEnd{*this, clip};
        {
            std::lock_guard lock(wakeLock);
            if (quit)
                break;
            seen = generation;
            if (!incoming.empty() || monitorComing)
                replaced = TakeIncomingLines(active);
            clip = speakerClip;
            clipInRound = clip ? clip->number : 0;
        }
        const std::size_t n = lines.size();
        samples.resize(n, std::vector<std::int16_t>(kPeriodFrames * kCardChannels));
        // A line lost with its old device works again on its new one.
        for (std::size_t i : replaced)
            mixer->MarkLineFound(i);
        const CardLevels levels = mixer->Levels();
        const bool recording = waveIn->Started();

        bool lostWhileRecording = false;
        bool allSoftware = true;
        std::string lossReason;
        for (std::size_t i = 0; i < n; ++i)
            if (recording && levels.lines[i].selected) {
                if (levels.lines[i].lost && !lostWhileRecording)
                    lossReason = lines[i].line->LossReason();
                lostWhileRecording = lostWhileRecording || levels.lines[i].lost;
                allSoftware = allSoftware && lines[i].line->IsSoftware();
            }
        if (lostWhileRecording) {
            waveIn->DeviceLost(lossReason);
            continue;
        }
        // While a recorder waits for a play to begin, the card keeps the wall clock's pace:
        // nothing is recorded yet, so running ahead would only spin.
        const bool fast = fastClock && recording && allSoftware && !waveIn->AwaitsPlay();
        bool monitoring = false;
        if (monitor && !fast && !levels.speakerMute)
            for (std::size_t i = 0; i < n; ++i)
                monitoring = monitoring || (!levels.lines[i].speakerMute && !levels.lines[i].lost);

        // A clip needs speakers to play on; without them it has ended. While it plays it has
        // the speakers to itself (the lines monitored go on being read, unheard): the user
        // listens to it, not to the inputs.
        if (clip && !monitor) {
            EndClip(clip);
            continue;
        }
        const bool clipPlays = clip && !fast;
        const bool speakers = monitoring || clipPlays;

        std::vector<bool> needed(n, false);
        for (std::size_t i = 0; i < n; ++i)
            needed[i] = !levels.lines[i].lost && ((recording && levels.lines[i].selected) ||
                                                  (monitoring && !levels.lines[i].speakerMute));

        if (!recording && !speakers) {
            for (std::size_t i = 0; i < n; ++i)
                setActive(i, false);
            running = false;
            WaitForChange(seen);
            continue;
        }
        if (fast && !waveIn->WantsData()) {
            WaitForChange(seen);
            continue;
        }
        if (fast && Held()) {
            // Nothing tells the card when the taker catches up: it looks again shortly.
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            continue;
        }
        for (std::size_t i = 0; i < n; ++i)
            setActive(i, needed[i]);
        if (!running || fast != wasFast)
            clock.Restart(CardClock::Clock::now());
        running = true;
        wasFast = fast;
        if (!fast && SleepUntil(clock.Deadline(kPeriodFrames)))
            break;

        waveInputs.clear();
        speakerInputs.clear();
        PlayMarks marks;
        for (std::size_t i = 0; i < n; ++i) {
            if (!needed[i])
                continue;
            if (lines[i].line->Read(samples[i]) == LineStatus::Lost) {
                setActive(i, false);
                mixer->MarkLineLost(i);  // the next round ends a recording that needs it
                continue;
            }
            // A selected line read for the speakers only goes to wave-in as well: a recorder
            // started meanwhile (just before a play began) must get these frames too.
            if (levels.lines[i].selected) {
                waveInputs.push_back({samples[i], levels.lines[i].waveInVolume});
                const PlayMarks m = lines[i].line->Marks();
                if (m.start)
                    marks.start = std::min(marks.start.value_or(*m.start), *m.start);
                if (m.end)
                    marks.end = std::max(marks.end.value_or(*m.end), *m.end);
            }
            if (monitoring && !clipPlays && !levels.lines[i].speakerMute)
                speakerInputs.push_back({samples[i], levels.lines[i].speakerVolume});
        }
        // Wave-in decides under its own lock whether it records now.
        if (recording || !waveInputs.empty()) {
            MixLines(waveInputs, levels.waveInMaster, waveMix);
            waveIn->Deliver(waveMix, marks);
        }
        if (clipPlays) {
            const std::size_t count = std::min(clipPeriod.size(), clip->samples.size() - clip->next);
            const auto from = clip->samples.begin() + std::ptrdiff_t(clip->next);
            std::fill(std::copy(from, from + std::ptrdiff_t(count), clipPeriod.begin()), clipPeriod.end(), 0);
            clip->next += count;
            speakerInputs.push_back({clipPeriod, {kUnityVolume, kUnityVolume}});
        }
        if (speakers) {
            const std::array<std::uint32_t, 2> silent{0, 0};
            MixLines(speakerInputs, levels.speakerMute ? silent : levels.speakerMaster, speakerMix);
            playOnMonitor(monitor.get(), speakerMix);
        }
        if (clipPlays && clip->next >= clip->samples.size())
            EndClip(clip);
        clock.Produced(kPeriodFrames, CardClock::Clock::now());
    }
    for (std::size_t i = 0; i < lines.size(); ++i)
        setActive(i, false);
}

SoundCard::SoundCard(SoundCardSettings settings) : impl_(std::make_unique<Impl>(std::move(settings)))
{
    Impl& d = *impl_;
    d.lines = MakeSoundLines(d.settings);
    std::vector<std::uint32_t> types;
    for (const MadeSoundLine& l : d.lines)
        types.push_back(l.componentType);
    d.mixer = std::make_unique<CardMixer>(std::move(types), [&d] { d.Wake(); });
    d.waveIn = std::make_unique<CardWaveIn>([&d] { d.Wake(); });
    if (!d.settings.monitorDevice.empty())
        d.monitor = OpenCardPcm(d.settings.monitorDevice, SND_PCM_STREAM_PLAYBACK);
    for (const MadeSoundLine& l : d.lines)
        d.lineSettings.push_back(LineSettingOf(d.settings, l.componentType).value_or(std::string()));
    for (std::uint32_t type : kFollowedLines)
        if (!HasLine(type))
            d.absentTried[type] = LineSettingOf(d.settings, type).value_or(std::string());
    d.threadRunning = true;
    d.thread = std::thread([&d] {
        // A failure here ends the mixing; the recorder then sees no more data.
        try {
            d.Run();
        } catch (...) {
            ReportCurrentException();
        }
        std::lock_guard lock(d.wakeLock);
        d.threadRunning = false;
        d.swapped.notify_all();
    });
    currentCard = this;
}

SoundCard::~SoundCard()
{
    {
        std::lock_guard lock(impl_->wakeLock);
        impl_->quit = true;
    }
    impl_->wakeUp.notify_all();
    // A line waiting for a device that stopped delivering gives up now.
    {
        std::lock_guard lock(impl_->wakeLock);
        for (const MadeSoundLine& l : impl_->lines)
            l.line->Interrupt();
    }
    impl_->thread.join();
    if (currentCard == this)
        currentCard = nullptr;
}

SoundCard* SoundCard::Current()
{
    return currentCard;
}

void SoundCard::SetFastClock(bool fast)
{
    impl_->fastClock = fast;
    impl_->Wake();
}

void SoundCard::SetFastPaceHold(std::function<bool()> hold)
{
    std::lock_guard lock(impl_->holdLock);
    impl_->hold = std::move(hold);
}

bool SoundCard::FastClock() const
{
    return impl_->fastClock;
}

const SoundCardSettings& SoundCard::Settings() const
{
    return impl_->settings;
}

IMixerService& SoundCard::Mixer()
{
    return *impl_->mixer;
}

IWaveInDevices& SoundCard::WaveIn()
{
    return *impl_->waveIn;
}

void SoundCard::SetPcmConverter(PcmConverter converter)
{
    SetCardPcmConverter(std::move(converter));
}

void SoundCard::FollowDevices(const SoundCardSettings& now)
{
    Impl& d = *impl_;
    std::vector<std::pair<std::size_t, MadeSoundLine>> made;
    std::string failure;  // the first device that cannot be used
    const auto failed = [&](const std::string& why, const std::string& setting) {
        if (failure.empty())
            failure = why.empty() ? QCoreApplication::translate("SoundCard", "The device \"%1\" cannot be opened.")
                                         .arg(QString::fromStdString(setting))
                                         .toStdString()
                                   : why;
    };
    // The lines the card has, on a changed device or font.
    for (std::size_t i = 0; i < d.lines.size(); ++i) {
        const std::uint32_t type = d.lines[i].componentType;
        const auto setting = LineSettingOf(now, type);
        if (!setting || *setting == d.lineSettings[i] || d.lines[i].line->InUse())
            continue;
        d.lineSettings[i] = *setting;  // a device that fails is told once
        std::string why;
        if (auto line = MakeSoundLine(type, now, &why))
            made.emplace_back(i, MadeSoundLine{type, std::move(line)});
        else
            failed(why, *setting);
    }
    // The inputs it was made without, on a device or font not tried yet; each added line
    // goes into the mixer first, so the mixer never has fewer lines than the card thread.
    std::size_t added = 0;
    for (std::uint32_t type : kFollowedLines) {
        const auto setting = LineSettingOf(now, type);
        if (HasLine(type) || !setting || d.absentTried[type] == *setting)
            continue;
        d.absentTried[type] = *setting;
        std::string why;
        auto line = MakeSoundLine(type, now, &why);
        if (!line) {
            failed(why, *setting);
            continue;
        }
        d.mixer->AddLine(type);
        d.absentTried.erase(type);
        d.lineSettings.push_back(*setting);
        made.emplace_back(d.lines.size() + added++, MadeSoundLine{type, std::move(line)});
    }
    // The speakers.
    AlsaPcm monitor;
    bool monitorChanged = now.monitorDevice != d.settings.monitorDevice;
    if (monitorChanged && !now.monitorDevice.empty()) {
        std::string why;
        monitor = OpenCardPcm(now.monitorDevice, SND_PCM_STREAM_PLAYBACK, &why);
        if (!monitor)
            failed(QCoreApplication::translate("SoundCard", "The speakers' device \"%1\" cannot be opened: %2.")
                       .arg(QString::fromStdString(now.monitorDevice), QString::fromStdString(why))
                       .toStdString(),
                   now.monitorDevice);
    }
    const bool fast = d.settings.fastClock;
    d.settings = now;
    d.settings.fastClock = fast;  // the clock is the card's own choice from its start

    if (!made.empty() || monitorChanged) {
        std::vector<std::unique_ptr<SoundLine>> retired;
        AlsaPcm retiredMonitor;
        std::vector<std::size_t> placedHere;
        {
            std::unique_lock lock(d.wakeLock);
            // The lines the card thread has not taken yet are this call's own.
            std::vector<std::pair<std::size_t, MadeSoundLine>> leftOver;
            if (d.threadRunning) {
                d.incoming = std::move(made);
                d.incomingMonitor = std::move(monitor);
                d.monitorComing = monitorChanged;
                ++d.generation;
                d.wakeUp.notify_all();
                // A capture line the card thread reads returns within its stall limit.
                d.swapped.wait(lock, [&] { return (d.incoming.empty() && !d.monitorComing) || !d.threadRunning; });
                leftOver = std::move(d.incoming);
                if (d.monitorComing)
                    monitor = std::move(d.incomingMonitor);
                monitorChanged = d.monitorComing;
                d.monitorComing = false;
            } else {
                leftOver = std::move(made);
            }
            // A card thread that has ended uses no line: the main thread puts them in place.
            for (auto& [index, line] : leftOver) {
                if (index >= d.lines.size()) {
                    d.lines.push_back(std::move(line));
                } else {
                    std::swap(d.lines[index].line, line.line);
                    d.retired.push_back(std::move(line.line));
                    placedHere.push_back(index);
                }
            }
            d.incoming.clear();
            if (monitorChanged) {
                std::swap(d.monitor, monitor);
                d.retiredMonitor = std::move(monitor);
            }
            retired = std::move(d.retired);
            d.retired.clear();
            retiredMonitor = std::move(d.retiredMonitor);
        }
        for (std::size_t index : placedHere)
            d.mixer->MarkLineFound(index);
        // `retired` and `retiredMonitor` close the old lines and device here, on the main
        // thread, outside the lock.
    }
    if (!failure.empty())
        throw EMervaneError(failure);
}

std::uint64_t SoundCard::PlayOnSpeakers(std::vector<std::int16_t> samples, std::function<void()> ended)
{
    Impl& d = *impl_;
    bool hasSpeakers = false;
    {
        std::lock_guard lock(d.wakeLock);
        hasSpeakers = d.monitor || (d.monitorComing && d.incomingMonitor);
    }
    // Speakers that could not be opened before (the device was busy or not there) are tried
    // again, so the user hears why they stay silent.
    AlsaPcm opened;
    if (!hasSpeakers) {
        const std::string& device = d.settings.monitorDevice;
        if (device.empty())
            throw EMervaneError(
                QCoreApplication::translate("SoundCard", "No device is chosen for the speakers.").toStdString());
        std::string why;
        opened = OpenCardPcm(device, SND_PCM_STREAM_PLAYBACK, &why);
        if (!opened)
            throw EMervaneError(QCoreApplication::translate("SoundCard", "The speakers' device \"%1\" cannot be opened: %2.")
                                    .arg(QString::fromStdString(device), QString::fromStdString(why))
                                    .toStdString());
    }
    auto clip = std::make_shared<Impl::SpeakerClip>();
    clip->samples = std::move(samples);
    clip->ended = std::move(ended);
    clip->number = ++d.clipsMade;
    {
        std::lock_guard lock(d.wakeLock);
        if (opened) {
            if (d.threadRunning) {
                // Taken by the card thread before it looks at the clip.
                d.incomingMonitor = std::move(opened);
                d.monitorComing = true;
            } else {
                d.monitor = std::move(opened);
            }
        }
        d.speakerClip = clip;
        ++d.generation;
    }
    d.wakeUp.notify_all();
    return clip->number;
}

void SoundCard::StopOnSpeakers(std::uint64_t clip)
{
    Impl& d = *impl_;
    if (clip == 0)
        return;
    std::unique_lock lock(d.wakeLock);
    if (d.speakerClip && d.speakerClip->number == clip) {
        d.speakerClip.reset();
        ++d.generation;
        d.wakeUp.notify_all();
    }
    // A round that took the clip ends within one period.
    d.swapped.wait(lock, [&] { return d.clipInRound != clip || !d.threadRunning; });
}

bool SoundCard::HasLine(std::uint32_t componentType) const
{
    return std::any_of(impl_->lines.begin(), impl_->lines.end(),
                       [&](const MadeSoundLine& l) { return l.componentType == componentType; });
}

std::string SoundCard::CaptureDevice(std::uint32_t componentType) const
{
    for (std::size_t i = 0; i < impl_->lines.size(); ++i)
        if (impl_->lines[i].componentType == componentType && CaptureDeviceOf(impl_->settings, componentType))
            return impl_->lineSettings[i];
    return {};
}

std::uint64_t SoundCard::Overruns() const
{
    std::lock_guard lock(impl_->wakeLock);
    std::uint64_t total = 0;
    for (const MadeSoundLine& l : impl_->lines)
        total += l.line->Overruns();
    return total;
}
