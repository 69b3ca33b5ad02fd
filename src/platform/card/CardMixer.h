#pragma once
// The sound card's mixer service: one device (id 0) with the speakers destination
// (volume and mute master; every source with a stereo volume and a mute switch) and the
// wave-in destination (volume master and the multiple-selection "Recording Source" list
// of its sources in connection order; every source with a stereo volume). The values
// live here; the card thread takes a copy of them for every period it mixes.
//
//   CardMixer mixer({MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE}, [&] { wakeCard(); });
//   CardLevels now = mixer.Levels();     // on the card thread
//
// Threads: the IMixerService calls and AddLine run on the main thread. Levels and
// MarkLineLost may be called from any thread (the card thread). `changed` runs on the calling thread after
// any value changed, outside the lock.
#include "platform/card/MixerService.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

constexpr std::uint32_t kUnityVolume = 65535;

struct LineLevels {
    std::array<std::uint32_t, 2> speakerVolume{kUnityVolume, kUnityVolume};
    bool speakerMute = true;
    std::array<std::uint32_t, 2> waveInVolume{kUnityVolume, kUnityVolume};
    bool selected = false;  // in the wave-in destination's "Recording Source" list
    bool lost = false;      // the line's device went away
};

struct CardLevels {
    std::vector<LineLevels> lines;  // connection order
    std::array<std::uint32_t, 2> speakerMaster{kUnityVolume, kUnityVolume};
    bool speakerMute = false;
    std::array<std::uint32_t, 2> waveInMaster{kUnityVolume, kUnityVolume};
};

// Line flags of the mixer line record.
constexpr std::uint32_t MIXERLINE_LINEF_ACTIVE = 0x1;
constexpr std::uint32_t MIXERLINE_LINEF_DISCONNECTED = 0x8000;
constexpr std::uint32_t MIXERLINE_LINEF_SOURCE = 0x80000000;

class CardMixer : public IMixerService {
public:
    // lineTypes: the component types of the card's source lines, in connection order.
    CardMixer(std::vector<std::uint32_t> lineTypes, std::function<void()> changed);

    unsigned GetNumDevs() override;
    MMResult GetDevCaps(unsigned deviceId, MixerCaps& caps) override;
    MMResult Open(MixerHandle& handle, unsigned deviceId, MessageTarget* notify) override;
    MMResult Close(MixerHandle handle) override;
    MMResult GetLineInfo(MixerHandle handle, MixerLine& line, std::uint32_t flags) override;
    MMResult GetLineControls(MixerHandle handle, std::uint32_t lineId, std::uint32_t count,
                             std::vector<MixerControl>& controls) override;
    MMResult GetControlDetails(MixerHandle handle, std::uint32_t controlId, std::uint32_t channels,
                               std::uint32_t multipleItems, std::span<std::uint32_t> values) override;
    MMResult SetControlDetails(MixerHandle handle, std::uint32_t controlId, std::uint32_t channels,
                               std::uint32_t multipleItems, std::span<const std::uint32_t> values) override;

    // Any thread: a copy of every value.
    CardLevels Levels() const;
    // Any thread: the line's device went away; its records say so from now on and every
    // open handle hears MM_MIXM_LINE_CHANGE for the line in both destinations.
    void MarkLineLost(std::size_t line);
    // Any thread: the line has a working device again (a new one took the lost one's place).
    void MarkLineFound(std::size_t line);
    // Main thread: a source line of this type joins both destinations after the others
    // (a device chosen for an input the card had none for), muted on the speakers and not
    // selected; every open handle hears MM_MIXM_LINE_CHANGE for both destinations. Its
    // index is the number of lines before it.
    void AddLine(std::uint32_t componentType);

private:
    enum class Target { SpeakerMaster, SpeakerMasterMute, WaveInMaster, Selection, LineSpeaker, LineMute, LineWaveIn };
    struct Control {
        MixerControl info;
        Target target;
        std::size_t line;  // for the Line* targets
    };
    struct Line {
        std::uint32_t lineId;
        std::uint32_t destination;
        int source;  // -1: the destination itself
        std::uint32_t componentType;
        std::vector<std::size_t> controls;  // indices into controls_
    };

    void AddControl(Line& line, std::uint32_t type, std::uint32_t flags, std::uint32_t items, const char* name,
                    std::uint32_t maximum, Target target, std::size_t lineIndex);
    const Line* FindLine(std::uint32_t destination, int source) const;
    const Control* FindControl(std::uint32_t controlId) const;
    bool ValidHandle(MixerHandle handle) const;  // lock_ held
    // The checks a details read and write share: the handle, the control, and a value
    // count that fits the control; sets `control` when it exists. lock_ held.
    MMResult CheckDetailsRequest(MixerHandle handle, std::uint32_t controlId, std::uint32_t channels,
                                 std::uint32_t multipleItems, std::size_t valueCount,
                                 const Control*& control) const;
    void FillLine(const Line& line, MixerLine& record) const;  // lock_ held
    void Notify(unsigned message, std::uint32_t id);  // lock_ held

    // Adds the records and controls of a source line `i` that joins later, in both
    // destinations. lock_ held.
    void AddSourceLines(std::size_t i);

    const std::function<void()> changed_;

    // Guarded by lock_ (lines are added on the main thread, under it).
    mutable std::mutex lock_;
    std::vector<std::uint32_t> lineTypes_;
    std::vector<Line> lines_;
    std::vector<Control> controls_;
    CardLevels levels_;
    std::map<MixerHandle, MessageTarget*> handles_;
    MixerHandle nextHandle_ = 1;
};
