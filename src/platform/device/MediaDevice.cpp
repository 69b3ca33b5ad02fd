#include "platform/device/MediaDevice.h"

#include <algorithm>
#include <cctype>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace {
struct Registered {
    std::uint64_t id;
    MediaDeviceKind kind;
};

// Main thread only.
std::vector<Registered>& registry()
{
    static std::vector<Registered> kinds;
    return kinds;
}
// Main thread only.
std::vector<MediaDeviceKind>& standardKinds()
{
    static std::vector<MediaDeviceKind> kinds;
    return kinds;
}
std::uint64_t nextRegistration = 1;
std::uint16_t nextDeviceId = 1;

std::vector<MediaDeviceKind> allKinds()
{
    std::vector<MediaDeviceKind> kinds;
    for (auto it = registry().rbegin(); it != registry().rend(); ++it)
        kinds.push_back(it->kind);
    kinds.insert(kinds.end(), standardKinds().begin(), standardKinds().end());
    return kinds;
}

bool sameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

bool isFile(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}
}  // namespace

std::optional<std::string> MediaErrorText(std::uint32_t code)
{
    switch (code) {
    case mci::ErrInvalidDeviceId: return "No media device is open under this identifier.";
    case mci::ErrUnrecognizedCommand: return "The media device does not know this command.";
    case mci::ErrHardware: return "The media device failed.";
    case mci::ErrInvalidDeviceName: return "There is no media device of this type.";
    case mci::ErrOutOfMemory: return "There is not enough memory for the media device.";
    case mci::ErrDeviceInUse: return "The media device is in use by another player.";
    case mci::ErrUnsupportedFunction: return "The media device cannot carry out this command.";
    case mci::ErrFileNotFound: return "The file cannot be found. Check the folder and the file name.";
    case mci::ErrOutOfRange: return "The position lies outside the file or the medium.";
    case mci::ErrDeviceTypeRequired: return "No media device can play this file.";
    case mci::ErrBadTimeFormat: return "The media device does not support this time format.";
    case mci::ErrInvalidFile: return "The file cannot be played.";
    case mci::ErrNoSynthesiser: return "No MIDI synthesiser is available: no usable sound font was found.";
    default: return std::nullopt;
    }
}

MediaResult MediaResult::Fail(std::uint32_t code, const std::string& detail)
{
    std::string text = MediaErrorText(code).value_or("Unknown error code");
    if (!detail.empty())
        text += " " + detail;
    return MediaResult{code, text};
}

MediaDeviceRegistration::MediaDeviceRegistration(MediaDeviceKind kind) : id_(nextRegistration++)
{
    registry().push_back({id_, std::move(kind)});
}

MediaDeviceRegistration::~MediaDeviceRegistration()
{
    auto& kinds = registry();
    kinds.erase(std::remove_if(kinds.begin(), kinds.end(), [this](const Registered& r) { return r.id == id_; }),
                kinds.end());
}

void AddStandardMediaDevice(MediaDeviceKind kind)
{
    auto& kinds = standardKinds();
    if (std::none_of(kinds.begin(), kinds.end(), [&](const MediaDeviceKind& k) { return k.typeName == kind.typeName; }))
        kinds.push_back(std::move(kind));
}

MediaOpenResult OpenMediaDevice(const MediaOpenRequest& request)
{
    MediaOpenResult opened;
    const MediaDeviceKind* chosen = nullptr;
    const std::vector<MediaDeviceKind> kinds = allKinds();
    if (request.deviceType.empty()) {
        if (request.element.empty()) {
            opened.result = MediaResult::Fail(mci::ErrDeviceTypeRequired);
            return opened;
        }
        if (!isFile(request.element)) {
            // Something that is there but is no file (a named pipe, a device, a folder) is
            // never read: it could block or never end.
            struct stat st {};
            if (::stat(request.element.c_str(), &st) == 0)
                opened.result = MediaResult::Fail(mci::ErrInvalidFile, request.element + " is not a regular file.");
            else
                opened.result = MediaResult::Fail(mci::ErrFileNotFound, "(" + request.element + ")");
            return opened;
        }
        for (const MediaDeviceKind& kind : kinds)
            if (kind.playsElement && kind.playsElement(request.element)) {
                chosen = &kind;
                break;
            }
        if (!chosen) {
            opened.result = MediaResult::Fail(mci::ErrDeviceTypeRequired, "(" + request.element + ")");
            return opened;
        }
    } else {
        for (const MediaDeviceKind& kind : kinds)
            if (sameName(kind.typeName, request.deviceType)) {
                chosen = &kind;
                break;
            }
        if (!chosen) {
            opened.result = MediaResult::Fail(mci::ErrInvalidDeviceName, "(" + request.deviceType + ")");
            return opened;
        }
    }
    opened.device = chosen->open(request, opened.result);
    if (!opened.device) {
        if (!opened.result.error)
            opened.result = MediaResult::Fail(mci::ErrHardware);
        return opened;
    }
    opened.result = {};
    opened.id = nextDeviceId++;
    if (nextDeviceId == 0)
        nextDeviceId = 1;
    return opened;
}
