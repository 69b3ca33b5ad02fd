#include "platform/cd/CdioHandle.h"

#include "platform/os/ProfileFile.h"

#include <cdio/logging.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <mutex>

namespace {
std::string lowerExtension(const std::string& name)
{
    std::string ext = std::filesystem::path(name).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext;
}

void dropLogMessage(cdio_log_level_t, const char*) {}
}  // namespace

std::string CdDeviceSetting()
{
    return ProfileFile::Settings().ReadString("SOUNDCARD_SETUP", "CdDevice", "");
}

std::string ResolveCdDevice(const std::string& configured)
{
    if (!configured.empty())
        return configured;
    QuietCdioLog();
    driver_id_t driver = DRIVER_DEVICE;
    char** devices = cdio_get_devices_ret(&driver);
    std::string first;
    if (devices && devices[0])
        first = devices[0];
    if (devices)
        cdio_free_device_list(devices);
    return first;
}

bool IsCdImageName(const std::string& name)
{
    const std::string ext = lowerExtension(name);
    return ext == ".cue" || ext == ".bin" || ext == ".toc" || ext == ".nrg";
}

CdioPtr OpenCdio(const std::string& device, std::string& error)
{
    QuietCdioLog();
    if (device.empty()) {
        error = "No CD drive found";
        return nullptr;
    }
    const std::string ext = lowerExtension(device);
    driver_id_t driver = DRIVER_DEVICE;
    if (ext == ".cue" || ext == ".bin")
        driver = DRIVER_BINCUE;
    else if (ext == ".toc")
        driver = DRIVER_CDRDAO;
    else if (ext == ".nrg")
        driver = DRIVER_NRG;

    std::error_code ec;
    if (driver != DRIVER_DEVICE && !std::filesystem::is_regular_file(device, ec)) {
        error = "The CD image \"" + device + "\" does not exist";
        return nullptr;
    }
    CdioPtr cd(cdio_open_am(device.c_str(), driver, nullptr));
    if (!cd) {
        error = driver == DRIVER_DEVICE ? "Unable to open the CD drive \"" + device + "\""
                                        : "Unable to read the CD image \"" + device + "\"";
        return nullptr;
    }
    return cd;
}

void QuietCdioLog()
{
    static std::once_flag once;
    std::call_once(once, [] { cdio_log_set_handler(dropLogMessage); });
}
