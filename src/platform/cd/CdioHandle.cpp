#include "platform/cd/CdioHandle.h"

#include "platform/cd/CdImage.h"

#include <QCoreApplication>

#include <cdio/logging.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>

namespace {
std::string lowerExtension(const std::string& name)
{
    std::string ext = std::filesystem::path(name).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext;
}

// The last error libcdio reported on this thread, for the sentence of a failed open.
thread_local std::string lastCdioError;

// Debug, information and warnings go nowhere; errors are kept for the caller's sentence.
// An assertion means libcdio has met data it cannot go on with: like libcdio's own
// handler, it stops the program rather than run on into corrupt memory (the image checks
// keep such data away from libcdio).
void cdioLogMessage(cdio_log_level_t level, const char* message)
{
    if (level == CDIO_LOG_ASSERT) {
        std::fprintf(stderr, "libcdio assertion: %s\n", message ? message : "");
        std::abort();
    }
    if (level == CDIO_LOG_ERROR && message)
        lastCdioError = message;
}
}  // namespace

namespace {
std::mutex runDeviceLock;
std::string runDevice;  // guarded by runDeviceLock
}  // namespace

void SetCdDeviceForRun(const std::string& device)
{
    std::lock_guard lock(runDeviceLock);
    runDevice = device;
}

std::string ConfiguredCdDevice(const std::string& setting)
{
    return ResolveCdDevice(CdDeviceForRun(setting));
}

std::string CdDeviceForRun(const std::string& setting)
{
    std::lock_guard lock(runDeviceLock);
    return runDevice.empty() ? setting : runDevice;
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
        error = QCoreApplication::translate("CdioHandle", "No CD drive found").toStdString();
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

    if (driver != DRIVER_DEVICE) {
        // libcdio's image readers trust what they read: the image is checked first.
        try {
            OpenCdImage(device);
        } catch (const ECdError& e) {
            error = e.what();
            return nullptr;
        }
    }
    lastCdioError.clear();
    CdioPtr cd(cdio_open_am(device.c_str(), driver, nullptr));
    if (!cd) {
        error = driver == DRIVER_DEVICE
                    ? QCoreApplication::translate("CdioHandle", "Unable to open the CD drive \"%1\"").arg(QString::fromStdString(device)).toStdString()
                    : CdImageProblem(device, QCoreApplication::translate("CdioHandle", "libcdio cannot read it").toStdString());
        if (driver == DRIVER_DEVICE && !lastCdioError.empty())
            error += "\n" + lastCdioError;
        return nullptr;
    }
    return cd;
}

void QuietCdioLog()
{
    static std::once_flag once;
    std::call_once(once, [] { cdio_log_set_handler(cdioLogMessage); });
}
