#include "platform/device/MediaDevice.h"

#include <QCoreApplication>

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
    case mci::ErrInvalidDeviceId: return QCoreApplication::translate("MediaDevice", "No media device is open under this identifier.").toStdString();
    case mci::ErrUnrecognizedCommand: return QCoreApplication::translate("MediaDevice", "The media device does not know this command.").toStdString();
    case mci::ErrHardware: return QCoreApplication::translate("MediaDevice", "The media device failed.").toStdString();
    case mci::ErrInvalidDeviceName: return QCoreApplication::translate("MediaDevice", "There is no media device of this type.").toStdString();
    case mci::ErrOutOfMemory: return QCoreApplication::translate("MediaDevice", "There is not enough memory for the media device.").toStdString();
    case mci::ErrDeviceInUse: return QCoreApplication::translate("MediaDevice", "The media device is in use by another player.").toStdString();
    case mci::ErrUnsupportedFunction: return QCoreApplication::translate("MediaDevice", "The media device cannot carry out this command.").toStdString();
    case mci::ErrFileNotFound: return QCoreApplication::translate("MediaDevice", "The file cannot be found. Check the folder and the file name.").toStdString();
    case mci::ErrOutOfRange: return QCoreApplication::translate("MediaDevice", "The position lies outside the file or the medium.").toStdString();
    case mci::ErrDeviceTypeRequired: return QCoreApplication::translate("MediaDevice", "No media device can play this file.").toStdString();
    case mci::ErrBadTimeFormat: return QCoreApplication::translate("MediaDevice", "The media device does not support this time format.").toStdString();
    case mci::ErrInvalidFile: return QCoreApplication::translate("MediaDevice", "The file cannot be played.").toStdString();
    case mci::ErrNoSynthesiser: return QCoreApplication::translate("MediaDevice", "No MIDI synthesiser is available: no usable sound font was found.").toStdString();
    default: return std::nullopt;
    }
}

MediaResult MediaResult::Fail(std::uint32_t code, const std::string& detail)
{
    std::string text =
        MediaErrorText(code).value_or(QCoreApplication::translate("MediaDevice", "Unknown error code").toStdString());
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
