#pragma once
// TAudioMixer: a model of one mixer device of the sound card (its destination lines, each
// destination's source lines, called connections, and every line's controls) built once
// when the device opens, with two operations on it: read a line's volume pair and its
// mute-or-select state, and write them. A line is addressed by destination index and
// connection index; connection -1 is the destination line itself.
//
//   TAudioMixer mixer;                       // the current sound card's mixer, device 0
//   TMixerVolume v;
//   if (mixer.GetVolume(1, 2, v) && v.Left != -1) ...
//   mixer.SetVolume(1, 2, 40000, -1, 1);     // both channels 40000, selected for recording
//   mixer.OnControlChange = [](TAudioMixer*, std::intptr_t handle, std::intptr_t id) { ... };
//
// A source line without a mute switch of its own is selected through the destination's
// multiple-selection control, whose entries are taken to follow connection order. Nothing
// raises: unknown lines give false, controls that fail to read or write are skipped.
//
// Threads: main thread only. Change notifications arrive as posted messages on the main
// thread and raise OnLineChange and OnControlChange there.
#include "platform/card/MixerService.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class MessageTarget;
class TAudioMixer;

// An ordered, singly linked list of items, each either a reference (the list leaves it
// alone) or owned (released by Clear and with the list). Item(i) below 0 gives the first
// item, at or past the end none.
template <class T>
class TPointerList {
public:
    TPointerList() = default;
    ~TPointerList() { Clear(); }
    TPointerList(const TPointerList&) = delete;
    TPointerList& operator=(const TPointerList&) = delete;

    void Add(T* item) { Append(std::make_unique<Node>(item, nullptr)); }
    void Add(std::unique_ptr<T> item)
    {
        T* raw = item.get();
        Append(std::make_unique<Node>(raw, std::move(item)));
    }
    void Clear()
    {
        // Node by node, so a long list never recurses in the destructors.
        while (head_)
            head_ = std::move(head_->next);
        count_ = 0;
    }
    int Count() const { return count_; }
    T* Item(int index) const
    {
        const Node* node = head_.get();
        for (int i = 0; node && i < index; ++i)
            node = node->next.get();
        return node ? node->item : nullptr;
    }

private:
    struct Node {
        Node(T* i, std::unique_ptr<T> o) : item(i), owned(std::move(o)) {}
        T* item;
        std::unique_ptr<T> owned;
        std::unique_ptr<Node> next;
    };
    void Append(std::unique_ptr<Node> node)
    {
        std::unique_ptr<Node>* tail = &head_;
        while (*tail)
            tail = &(*tail)->next;
        *tail = std::move(node);
        ++count_;
    }

    std::unique_ptr<Node> head_;
    int count_ = 0;
};

// All controls of one line, fetched in one request; the items point into that one block.
class TMixerControls {
public:
    TMixerControls(IMixerService& service, MixerHandle handle, const MixerLine& line);
    int Count() const { return list_.Count(); }
    const MixerControl* Item(int index) const { return list_.Item(index); }

private:
    std::vector<MixerControl> block_;
    TPointerList<MixerControl> list_;
};

// One source line of a destination.
class TMixerConnection {
public:
    TMixerConnection(TAudioMixer* mixer, const MixerLine& line);
    TAudioMixer* Mixer() const { return mixer_; }
    const MixerLine& Line() const { return line_; }
    const TMixerControls& Controls() const { return controls_; }

private:
    TAudioMixer* mixer_;
    MixerLine line_;
    TMixerControls controls_;
};

// The source lines of one destination, in the order the service enumerates them.
class TMixerConnections {
public:
    TMixerConnections(TAudioMixer* mixer, const MixerLine& destination);
    int Count() const { return list_.Count(); }
    TMixerConnection* Item(int index) const { return list_.Item(index); }

private:
    TAudioMixer* mixer_;
    TPointerList<TMixerConnection> list_;
};

// One destination line with its own controls and its connections.
class TMixerDestination {
public:
    TMixerDestination(TAudioMixer* mixer, const MixerLine& line);
    TAudioMixer* Mixer() const { return mixer_; }
    const MixerLine& Line() const { return line_; }
    const TMixerControls& Controls() const { return controls_; }
    const TMixerConnections& Connections() const { return connections_; }

private:
    TAudioMixer* mixer_;
    MixerLine line_;
    TMixerControls controls_;
    TMixerConnections connections_;
};

class TMixerDestinations {
public:
    explicit TMixerDestinations(TAudioMixer* mixer);
    int Count() const { return list_.Count(); }
    TMixerDestination* Item(int index) const { return list_.Item(index); }

private:
    TPointerList<TMixerDestination> list_;
};

// A line's volume pair and mute-or-select state as GetVolume reads them; -1 is no value.
struct TMixerVolume {
    int Left = -1;
    int Right = -1;
    int Mute = -1;
    bool VolDisabled = false;
    bool MuteDisabled = false;
};

using TMixerChange = std::function<void(TAudioMixer* sender, std::intptr_t mixerH, std::intptr_t id)>;

class TAudioMixer {
public:
    // The largest control read or write, in 4-byte values (channels x items). A control
    // needing more is skipped like a failed read.
    static constexpr std::uint32_t MaxValues = 31;

    // The mixer service of the current sound card; no card means no mixer device.
    TAudioMixer();
    // `service` may be null: no mixer device. Opens device 0 when the service has one.
    explicit TAudioMixer(IMixerService* service);
    ~TAudioMixer();
    TAudioMixer(const TAudioMixer&) = delete;
    TAudioMixer& operator=(const TAudioMixer&) = delete;

    // Number of mixer devices, read once at creation.
    unsigned DeviceCount() const { return numDevs_; }
    // -1 while closed.
    int MixerID() const { return mixerId_; }
    // Opens device `id` (ids at or above the device count are ignored), -1 closes.
    void SetMixerID(int id);
    MixerHandle Handle() const { return handle_; }

    // Null while closed.
    const TMixerDestinations* Destinations() const { return destinations_.get(); }
    int DestinationCount() const { return destinations_ ? destinations_->Count() : 0; }
    TMixerDestination* Destination(int index) const
    {
        return destinations_ ? destinations_->Item(index) : nullptr;
    }

    // False for an unknown destination or connection; `volume` is then left untouched.
    bool GetVolume(int destIndex, int connIndex, TMixerVolume& volume);
    // left -1: volume unchanged; right -1: left on both channels; mute -1: mute and
    // selection unchanged. False for an unknown destination or connection.
    bool SetVolume(int destIndex, int connIndex, int left, int right, int mute);

    TMixerChange OnLineChange;
    TMixerChange OnControlChange;

private:
    struct LineRef {
        const TMixerDestination* destination;
        const MixerLine* line;
        const TMixerControls* controls;
    };
    std::optional<LineRef> Resolve(int destIndex, int connIndex) const;
    // The values of one control, channels x items; false when they do not fit or the
    // service refuses.
    bool ReadValues(std::uint32_t controlId, std::uint32_t channels, std::uint32_t items,
                    std::vector<std::uint32_t>& values);
    bool WriteValues(std::uint32_t controlId, std::uint32_t channels, std::uint32_t items,
                     const std::vector<std::uint32_t>& values);
    const MixerControl* SelectionList(const TMixerDestination& destination) const;
    void Notified(unsigned message, std::intptr_t wParam, std::intptr_t lParam);

    // Main thread only. The target outlives the open device (declared first).
    std::unique_ptr<MessageTarget> notify_;
    IMixerService* service_;
    std::unique_ptr<TMixerDestinations> destinations_;
    unsigned numDevs_ = 0;
    MixerHandle handle_ = 0;
    int mixerId_ = -1;
    MixerCaps caps_;

    friend class TMixerControls;
    friend class TMixerConnections;
    friend class TMixerDestination;
    friend class TMixerDestinations;
    friend class TMixerConnection;
};

// The mixer service of the current sound card, or null when there is none.
IMixerService* CurrentMixerService();
