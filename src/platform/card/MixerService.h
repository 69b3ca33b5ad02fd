#pragma once
// The mixer service of a sound card: devices, their destination lines, each destination's
// source lines (connections) and every line's controls, with values read and written per
// control. The mixer model above it (TAudioMixer) is written against this interface only,
// so tests can put a card of any shape behind it.
//
//   IMixerService& mixer = SoundCard::Current()->Mixer();
//   MixerHandle h{};
//   if (mixer.Open(h, 0, &target) == MMSYSERR_NOERROR) {
//       MixerLine line{}; line.dwDestination = 0;
//       mixer.GetLineInfo(h, line, MIXER_GETLINEINFOF_DESTINATION);
//       std::vector<MixerControl> controls;
//       mixer.GetLineControls(h, line.dwLineID, line.cControls, controls);
//       std::uint32_t values[2];
//       mixer.GetControlDetails(h, controls[0].dwControlID, 2, 0, values);
//       mixer.Close(h);
//   }
//
// Threads: every call is made on the main thread. Line and control changes are posted to
// the MessageTarget given to Open as MM_MIXM_LINE_CHANGE (wParam = handle, lParam = line
// id) and MM_MIXM_CONTROL_CHANGE (wParam = handle, lParam = control id), so they arrive on
// the main thread as well.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class MessageTarget;

// Results of the card's calls: 0 is success.
using MMResult = std::uint32_t;
constexpr MMResult MMSYSERR_NOERROR = 0;
constexpr MMResult MMSYSERR_ERROR = 1;
constexpr MMResult MMSYSERR_BADDEVICEID = 2;
constexpr MMResult MMSYSERR_ALLOCATED = 4;
constexpr MMResult MMSYSERR_INVALHANDLE = 5;
constexpr MMResult MMSYSERR_NODRIVER = 6;
constexpr MMResult MMSYSERR_NOMEM = 7;
constexpr MMResult MMSYSERR_INVALFLAG = 10;
constexpr MMResult MMSYSERR_INVALPARAM = 11;
constexpr MMResult WAVERR_BADFORMAT = 32;
constexpr MMResult WAVERR_STILLPLAYING = 33;
constexpr MMResult WAVERR_UNPREPARED = 34;
constexpr MMResult MIXERR_INVALLINE = 1024;
constexpr MMResult MIXERR_INVALCONTROL = 1025;
constexpr MMResult MIXERR_INVALVALUE = 1026;

// Notifications posted to the mixer's MessageTarget.
constexpr unsigned MM_MIXM_LINE_CHANGE = 0x3D0;
constexpr unsigned MM_MIXM_CONTROL_CHANGE = 0x3D1;

// Line component types.
constexpr std::uint32_t MIXERLINE_COMPONENTTYPE_DST_SPEAKERS = 4;
constexpr std::uint32_t MIXERLINE_COMPONENTTYPE_DST_WAVEIN = 7;
constexpr std::uint32_t MIXERLINE_COMPONENTTYPE_SRC_LINE = 0x1002;         // 4098
constexpr std::uint32_t MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE = 0x1003;   // 4099
constexpr std::uint32_t MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER = 0x1004;  // 4100
constexpr std::uint32_t MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC = 0x1005;  // 4101
constexpr std::uint32_t MIXERLINE_COMPONENTTYPE_SRC_AUXILIARY = 0x1009;    // 4105

// Control types and flags.
constexpr std::uint32_t MIXERCONTROL_CONTROLTYPE_VOLUME = 0x50030001;
constexpr std::uint32_t MIXERCONTROL_CONTROLTYPE_MUTE = 0x20010002;
constexpr std::uint32_t MIXERCONTROL_CONTROLTYPE_MIXER = 0x71010001;  // multiple selection
constexpr std::uint32_t MIXERCONTROL_CONTROLTYPE_MUX = 0x70010001;    // single selection
constexpr std::uint32_t MIXERCONTROL_CONTROLF_UNIFORM = 0x1;
constexpr std::uint32_t MIXERCONTROL_CONTROLF_MULTIPLE = 0x2;
constexpr std::uint32_t MIXERCONTROL_CONTROLF_DISABLED = 0x80000000;

// GetLineInfo flags: by destination index, or by destination and source index.
constexpr std::uint32_t MIXER_GETLINEINFOF_DESTINATION = 0;
constexpr std::uint32_t MIXER_GETLINEINFOF_SOURCE = 1;

using MixerHandle = std::uintptr_t;

struct MixerCaps {
    std::uint16_t wMid = 0;
    std::uint16_t wPid = 0;
    std::uint32_t vDriverVersion = 0;
    std::string szPname;
    std::uint32_t fdwSupport = 0;
    std::uint32_t cDestinations = 0;
};

struct MixerLine {
    std::uint32_t dwDestination = 0;  // in: destination index
    std::uint32_t dwSource = 0;       // in (by source): connection index within the destination
    std::uint32_t dwLineID = 0;
    std::uint32_t fdwLine = 0;
    std::uint32_t dwComponentType = 0;
    std::uint32_t cChannels = 0;
    std::uint32_t cConnections = 0;
    std::uint32_t cControls = 0;
    std::string szShortName;
    std::string szName;  // at most 63 characters
};

struct MixerControl {
    std::uint32_t dwControlID = 0;
    std::uint32_t dwControlType = 0;
    std::uint32_t fdwControl = 0;
    std::uint32_t cMultipleItems = 0;
    std::string szName;
    std::uint32_t dwMinimum = 0;
    std::uint32_t dwMaximum = 0;
};

class IMixerService {
public:
    virtual ~IMixerService() = default;

    virtual unsigned GetNumDevs() = 0;
    virtual MMResult GetDevCaps(unsigned deviceId, MixerCaps& caps) = 0;
    // notify may be null; otherwise it receives the change notifications until Close.
    virtual MMResult Open(MixerHandle& handle, unsigned deviceId, MessageTarget* notify) = 0;
    virtual MMResult Close(MixerHandle handle) = 0;
    // flags: MIXER_GETLINEINFOF_DESTINATION (line.dwDestination in) or
    // MIXER_GETLINEINFOF_SOURCE (line.dwDestination and line.dwSource in); fills the rest.
    virtual MMResult GetLineInfo(MixerHandle handle, MixerLine& line, std::uint32_t flags) = 0;
    // All controls of a line in one request; `count` is the line's cControls and the call
    // fails with MMSYSERR_INVALPARAM when it does not match.
    virtual MMResult GetLineControls(MixerHandle handle, std::uint32_t lineId, std::uint32_t count,
                                     std::vector<MixerControl>& controls) = 0;
    // Values of one control: `channels` x max(1, `multipleItems`) 32-bit values, channel
    // major within each item, as the platform lays them out. `values` must hold that many.
    virtual MMResult GetControlDetails(MixerHandle handle, std::uint32_t controlId, std::uint32_t channels,
                                       std::uint32_t multipleItems, std::span<std::uint32_t> values) = 0;
    virtual MMResult SetControlDetails(MixerHandle handle, std::uint32_t controlId, std::uint32_t channels,
                                       std::uint32_t multipleItems, std::span<const std::uint32_t> values) = 0;
};
