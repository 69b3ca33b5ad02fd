#pragma once
// A mixer service of any shape, for tests of what runs above the sound card: no device, or
// one device with the destinations, source lines and controls a test describes (disabled,
// uniform, multiple-item, single- or multiple-selection lists). It keeps every control's
// values, records every write and, like the card, posts a control change for each write.
//
//   FakeMixerService fake;
//   auto& wavein = fake.AddDestination(MIXERLINE_COMPONENTTYPE_DST_WAVEIN, "Recording");
//   auto& mic = fake.AddSource(wavein, MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE);
//   fake.AddVolume(mic, {30000, 20000});
//   fake.AddSelectionList(wavein, MIXERCONTROL_CONTROLTYPE_MIXER, {0});
//   TAudioMixer mixer(&fake);
//   fake.Values(fake.Find(wavein, MIXERCONTROL_CONTROLTYPE_MIXER)) ...
//
// Threads: main thread only.
#include "platform/card/MixerService.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

class FakeMixerService final : public IMixerService {
public:
    struct Control {
        MixerControl info;
        // channels x items values, channels being 1 for a uniform control, else the line's.
        std::vector<std::uint32_t> values;
    };
    struct Line {
        MixerLine info;
        std::deque<Control> controls;
        bool failInfo = false;      // GetLineInfo refuses this line
        bool failControls = false;  // GetLineControls refuses this line
    };
    struct Destination {
        Line line;
        std::deque<Line> sources;
    };
    struct Write {
        std::uint32_t controlId;
        std::uint32_t channels;
        std::uint32_t items;
        std::vector<std::uint32_t> values;
    };

    // False: the system has no mixer device.
    bool hasDevice = true;
    std::deque<Destination> destinations;
    std::vector<Write> writes;
    int opens = 0;
    int closes = 0;
    // Runs after every write has been applied (to call back into the program meanwhile).
    std::function<void(const Write&)> onWrite;

    Destination& AddDestination(std::uint32_t componentType, const std::string& name, std::uint32_t channels = 2);
    Line& AddSource(Destination& destination, std::uint32_t componentType, std::uint32_t channels = 2);
    Control& AddControl(Line& line, std::uint32_t type, std::vector<std::uint32_t> values, std::uint32_t flags = 0,
                        std::uint32_t items = 0);
    // A volume with one value per channel (one for a uniform control).
    Control& AddVolume(Line& line, std::vector<std::uint32_t> values, std::uint32_t flags = 0);
    Control& AddMute(Line& line, std::uint32_t value, std::uint32_t flags = 0);
    // A uniform selection list of `type` (MIXER: several entries may be set; MUX: one) with
    // one entry per item.
    Control& AddSelectionList(Destination& destination, std::uint32_t type, std::vector<std::uint32_t> entries);

    // The first control of `type` on a line; null when it has none.
    Control* Find(Line& line, std::uint32_t type);
    // The current values of a control.
    const std::vector<std::uint32_t>& Values(const Control* control) const { return control->values; }
    // Sends a line or control change to the mixer opened with a notification target.
    void Notify(unsigned message, std::uint32_t id);

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

private:
    Line* FindLine(std::uint32_t lineId);
    Control* FindControl(std::uint32_t controlId);
    // The checks a details read and write share; sets `control` when it exists.
    MMResult CheckDetailsRequest(MixerHandle handle, std::uint32_t controlId, std::uint32_t channels,
                                 std::uint32_t multipleItems, std::size_t valueCount, Control*& control);
    bool IsOpen(MixerHandle handle) const { return handle != 0 && handle == handle_; }

    std::uint32_t nextId_ = 1;
    MixerHandle handle_ = 0;
    MixerHandle nextHandle_ = 0x100;
    MessageTarget* notify_ = nullptr;
};
