// The hidden window's mixer work: at start it finds the recording (wave-in) and playback
// (speakers) destinations and the five sources in each, saves every line to the settings
// file, deselects every recording source and mutes every playback source; a recording page
// then selects its source; at exit the saved settings go back. The debug view's lists are
// the current destination and line that this work runs through.
#include "mixer/Unit2.h"

#include "mixer/CardSetup.h"

#include "platform/os/Dialogs.h"
#include "platform/os/ErrorReport.h"
#include "platform/os/MessageTarget.h"
#include "platform/os/ProfileFile.h"

#include <QCoreApplication>
#include <algorithm>
#include <cctype>

namespace {
// Component types searched in the lists' texts, by RecordLevel.
constexpr std::array<const char*, 5> kSourceTypes = {"4100", "4101", "4099", "4098", "4105"};
constexpr const char* kRecordingType = "7";
constexpr const char* kPlaybackType = "4";

bool Contains(const std::string& text, const char* what)
{
    return text.find(what) != std::string::npos;
}

std::string UpperCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}
}  // namespace

void TForm2::FormCreate()
{
    MidiAvailable = CDAvailable = MicAvailable = LineAvailable = AuxAvailable = false;
    // The settings file reports a refused write once and carries on, so start-up always
    // finds every source; the guard is for what else may fail here.
    Guarded([&] { InitMixer(); });
    selecting_ = false;
}

void TForm2::InitMixer()
{
    if (amMixer1.DeviceCount() == 0) {
        debugHooked_ = false;
        AppDialogs().ShowMessageBox(QCoreApplication::translate("Unit2Mixer", "Cannot detect Microsoft Mixer !").toStdString(),
                                    QCoreApplication::translate("Unit2Mixer", "Error").toStdString(), MessageBoxKind::Error);
    } else {
        ProfileFile settings = ProfileFile::Settings();
        const int count = amMixer1.DestinationCount();
        settings.WriteInteger("SOUNDCARD", "DESTINATION_COUNT", count - 1);
        for (int n = 0; n < count; ++n) {
            const std::string type = std::to_string(amMixer1.Destination(n)->Line().dwComponentType);
            ComboBox1.Items.push_back(type);
            settings.WriteString("DESTINATION", std::to_string(n), type);
        }
        if (!ComboBox1.Items.empty()) {
            MakeDestinationCurrent(0);
            for (int i = 0; i < static_cast<int>(ComboBox1.Items.size()); ++i) {
                const std::string& text = ComboBox1.Items[static_cast<std::size_t>(i)];
                if (Contains(text, kRecordingType)) {
                    recordingDest_ = i;
                    recordingFound_ = true;
                }
                if (Contains(text, kPlaybackType))
                    playbackDest_ = i;
            }
        }
        updating_ = false;
    }
    if (recordingFound_) {
        SaveMixer();
        GetVolIndex();
        GetRepIndex();
        MuteAll();
        SetVolLevel();
    }
}

void TForm2::SaveMixer()
{
    ProfileFile settings = ProfileFile::Settings();
    for (int d = 0; d < static_cast<int>(ComboBox1.Items.size()); ++d) {
        MakeDestinationCurrent(d);
        const std::string section = std::to_string(d);
        const int items = static_cast<int>(ComboBox2.Items.size());
        for (int k = 0; k < items; ++k) {
            MakeLineCurrent(k);
            // Entry k holds what the show step read for item k: connection k, while its
            // "_device" label names item k, which is connection k - 1.
            const std::string key = std::to_string(k);
            settings.WriteInteger(section, "deviceCount", items - 1);
            settings.WriteInteger(section, key + "_volume", TrackBar.Position);
            settings.WriteString(section, key + "_selected", CheckBox.Checked ? "1" : "0");
            settings.WriteString(section, key + "_device", ComboBox2.Text());
        }
    }
}

void TForm2::GetVolIndex()
{
    MakeDestinationCurrent(recordingDest_);
    bool* const available[] = {&MidiAvailable, &CDAvailable, &MicAvailable, &LineAvailable, &AuxAvailable};
    for (int k = 0; k < static_cast<int>(ComboBox2.Items.size()); ++k) {
        const std::string text = UpperCase(ComboBox2.Items[static_cast<std::size_t>(k)]);
        for (std::size_t s = 0; s < kSourceTypes.size(); ++s) {
            if (Contains(text, kSourceTypes[s])) {
                recordingLine_[s] = k;
                *available[s] = true;
            }
        }
    }
}

void TForm2::GetRepIndex()
{
    MakeDestinationCurrent(playbackDest_);
    for (int k = 0; k < static_cast<int>(ComboBox2.Items.size()); ++k) {
        const std::string text = UpperCase(ComboBox2.Items[static_cast<std::size_t>(k)]);
        for (std::size_t s = 0; s < kSourceTypes.size(); ++s)
            if (Contains(text, kSourceTypes[s]))
                playbackLine_[s] = k;
    }
}

void TForm2::MuteAll()
{
    // Volumes keep their first channel's value on both channels; the destinations' own
    // master controls are not touched.
    const auto prepare = [&](int destination, int mute) {
        MakeDestinationCurrent(destination);
        const TMixerDestination* d = amMixer1.Destination(destination);
        const int connections = d ? d->Connections().Count() : 0;
        for (int i = 0; i < connections; ++i) {
            TMixerVolume volume;
            amMixer1.GetVolume(destination, i, volume);
            amMixer1.SetVolume(destination, i, volume.Left, -1, mute);
        }
    };
    prepare(recordingDest_, 0);
    prepare(playbackDest_, 1);
}

void TForm2::SetVolLevel()
{
    MakeDestinationCurrent(playbackDest_);
    MakeLineCurrent(0);
    TMixerVolume volume;
    amMixer1.GetVolume(playbackDest_, -1, volume);
    TrackBar1.Enabled = volume.Left != -1;
    if (TrackBar1.Enabled)
        TrackBar1.Position = volume.Left;
}

void TForm2::TrackBar1Change()
{
    MakeDestinationCurrent(playbackDest_);
    MakeLineCurrent(0);
    amMixer1.SetVolume(playbackDest_, -1, TrackBar1.Position, -1, 0);
}

void TForm2::SelMidi()
{
    Select(RecordLevel::Midi);
}

void TForm2::SelCD()
{
    Select(RecordLevel::Cd);
}

void TForm2::SelMIC()
{
    Select(RecordLevel::Mic);
}

void TForm2::SelLin()
{
    Select(RecordLevel::Line);
}

void TForm2::SelAUX()
{
    Select(RecordLevel::Aux);
}

void TForm2::Select(RecordLevel source)
{
    // Without a recording destination nothing was prepared, so nothing is selected.
    if (selecting_ || !recordingFound_)
        return;
    selecting_ = true;
    const auto s = static_cast<std::size_t>(source);
    currentLevel_ = state_.Level(source);
    // A source missing in a destination keeps item 0, which names the destination line.
    CheckBox.Checked = true;
    amMixer1.SetVolume(recordingDest_, recordingLine_[s] - 1, currentLevel_, -1, 1);
    CheckBox.Checked = false;
    amMixer1.SetVolume(playbackDest_, playbackLine_[s] - 1, currentLevel_, -1, 0);
    selecting_ = false;
}

void TForm2::RestoreMixer()
{
    const ProfileFile settings = ProfileFile::Settings();
    const int n = settings.ReadInteger("SOUNDCARD", "DESTINATION_COUNT", 0);
    if (n > 0) {
        for (int d = 0; d <= n; ++d) {
            const std::string section = std::to_string(d);
            const int c = settings.ReadInteger(section, "devicecount", 0);
            if (c <= 0)
                continue;
            // Entry k was saved from connection k; the last entry names none and changes
            // nothing. Both channels get the saved first-channel volume.
            for (int k = 0; k <= c; ++k) {
                const std::string key = std::to_string(k);
                const int volume = settings.ReadInteger(section, key + "_volume", 0);
                const bool selected = settings.ReadInteger(section, key + "_selected", 1) != 0;
                amMixer1.SetVolume(d, k, volume, volume, selected ? 1 : 0);
            }
        }
    }
    ProcessMessages();
}

void TForm2::FollowDeviceChoices()
{
    // A line the card adds joins the model when the mixer is opened anew: its records are
    // read once, at opening. The line comes muted and unselected.
    const auto refresh = [&] {
        if (!recordingFound_ || amMixer1.DeviceCount() == 0)
            return;
        amMixer1.SetMixerID(-1);
        amMixer1.SetMixerID(0);
        GetVolIndex();
        GetRepIndex();
    };
    try {
        FollowDeviceSettings();
    } catch (...) {
        refresh();
        throw;
    }
    refresh();
}

void TForm2::ComboBox1Change()
{
    ComboBox2.Items.clear();
    ComboBox2.ItemIndex = -1;
    if (const TMixerDestination* d = amMixer1.Destination(ComboBox1.ItemIndex)) {
        ComboBox2.Items.push_back(d->Line().szName);
        for (int i = 0; i < d->Connections().Count(); ++i)
            ComboBox2.Items.push_back(std::to_string(d->Connections().Item(i)->Line().dwComponentType));
    }
    if (!ComboBox2.Items.empty())
        MakeLineCurrent(0);
}

void TForm2::ComboBox2Change()
{
    updating_ = true;
    TMixerVolume volume;
    amMixer1.GetVolume(ComboBox1.ItemIndex, ComboBox2.ItemIndex, volume);
    TrackBar.Enabled = volume.Left != -1;
    if (TrackBar.Enabled)
        TrackBar.Position = volume.Left;
    CheckBox.Enabled = volume.Mute != -1;
    if (CheckBox.Enabled)
        CheckBox.Checked = volume.Mute != 0;
    updating_ = false;
}

void TForm2::TrackBarChange()
{
    if (debugHooked_)
        amMixer1.SetVolume(ComboBox1.ItemIndex, ComboBox2.ItemIndex - 1, TrackBar.Position, -1, 0);
}

void TForm2::CheckBoxClick()
{
    if (debugHooked_ && !updating_)
        SettingsChange();
}

void TForm2::SettingsChange()
{
    updating_ = true;
    amMixer1.SetVolume(ComboBox1.ItemIndex, ComboBox2.ItemIndex - 1, currentLevel_, -1, CheckBox.Checked ? 1 : 0);
    updating_ = false;
}

void TForm2::MakeDestinationCurrent(int index)
{
    ComboBox1.ItemIndex = index;
    ComboBox1Change();
}

void TForm2::MakeLineCurrent(int index)
{
    ComboBox2.ItemIndex = index;
    ComboBox2Change();
}
