#include "platform/midi/SoundFont.h"

#include <fluidsynth.h>
#include <sys/stat.h>

const std::vector<std::string>& SystemSoundFonts()
{
    static const std::vector<std::string> fonts = {
        "/usr/share/sounds/sf2/FluidR3_GM.sf2",
        "/usr/share/soundfonts/FluidR3_GM.sf2",
        "/usr/share/sounds/sf3/MuseScore_General.sf3",
        "/usr/share/sounds/sf2/default-GM.sf2",
        "/usr/share/soundfonts/default.sf2",
        "/usr/share/sounds/sf3/default-GM.sf3",
        "/usr/share/sounds/sf2/TimGM6mb.sf2",
    };
    return fonts;
}

bool IsUsableSoundFont(const std::string& path)
{
    // FluidSynth's own check complains on stderr about missing files; look first.
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && fluid_is_soundfont(path.c_str());
}

std::string FindSoundFont(const std::string& configured)
{
    if (!configured.empty())
        return IsUsableSoundFont(configured) ? configured : std::string();
    for (const std::string& font : SystemSoundFonts())
        if (IsUsableSoundFont(font))
            return font;
    return {};
}
