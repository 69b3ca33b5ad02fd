#include "platform/cd/CdDriveStatus.h"

#include <climits>
#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <unistd.h>

CdDriveState QueryCdDrive(const std::string& device)
{
    // Non-blocking, so an empty drive opens at all and a closed tray is not pulled in.
    const int fd = ::open(device.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return CdDriveState::Unknown;
    const int status = ::ioctl(fd, CDROM_DRIVE_STATUS, CDSL_CURRENT);
    ::close(fd);
    switch (status) {
    case CDS_NO_DISC: return CdDriveState::NoDisc;
    case CDS_TRAY_OPEN: return CdDriveState::TrayOpen;
    case CDS_DRIVE_NOT_READY: return CdDriveState::NotReady;
    case CDS_DISC_OK: return CdDriveState::DiscReady;
    default: return CdDriveState::Unknown;
    }
}
