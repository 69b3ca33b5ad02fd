#include "mpeg/EncoderSettings.h"

#include "platform/os/ProfileFile.h"

#include <QCoreApplication>
#include <QString>
#include <algorithm>
#include <thread>

namespace {
bool Is(const ProfileFile& profile, const char* key, const char* value)
{
    return QString::fromStdString(profile.ReadString(kEncoderSection, key, "")).trimmed().compare(
               QString::fromLatin1(value), Qt::CaseInsensitive) == 0;
}
}  // namespace

EncoderSettings EncoderSettings::Read(const ProfileFile& profile)
{
    EncoderSettings s;
    s.mp3Container = Is(profile, "Container", "mp3");
    s.vbr = Is(profile, "Mode", "vbr");
    const int quality = profile.ReadInteger(kEncoderSection, "VbrQuality", s.vbrQuality);
    if (quality >= 0 && quality <= 9)
        s.vbrQuality = quality;
    s.jointStereo = Is(profile, "Stereo", "joint");
    s.replayGain = profile.ReadInteger(kEncoderSection, "ReplayGain", 0) == 1;
    const int jobs = profile.ReadInteger(kEncoderSection, "Jobs", s.jobs);
    if (jobs >= 1 && jobs <= 64)
        s.jobs = jobs;
    return s;
}

int EncoderSettings::DefaultJobs()
{
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1U, 64U));
}

void EncoderSettings::Write(ProfileFile& profile) const
{
    profile.WriteString(kEncoderSection, "Container", mp3Container ? "mp3" : "wave");
    profile.WriteString(kEncoderSection, "Mode", vbr ? "vbr" : "cbr");
    profile.WriteInteger(kEncoderSection, "VbrQuality", vbrQuality);
    profile.WriteString(kEncoderSection, "Stereo", jointStereo ? "joint" : "stereo");
    profile.WriteInteger(kEncoderSection, "ReplayGain", replayGain ? 1 : 0);

}

std::string EncoderSettings::ModeText(int kbps) const
{
    if (vbr)
        return QCoreApplication::translate("EncoderSettings", "variable bit rate, quality V%1").arg(vbrQuality).toStdString();
    return QCoreApplication::translate("EncoderSettings", "constant bit rate, %1 kbit/s").arg(kbps).toStdString();
}

std::string EncoderSettings::StereoText() const
{
    return (jointStereo ? QCoreApplication::translate("EncoderSettings", "joint stereo")
                        : QCoreApplication::translate("EncoderSettings", "stereo"))
        .toStdString();
}

std::string EncoderSettings::ContainerText() const
{
    return (mp3Container ? QCoreApplication::translate("EncoderSettings", "MP3 file")
                         : QCoreApplication::translate("EncoderSettings", "MP3 inside a wave file"))
        .toStdString();
}
