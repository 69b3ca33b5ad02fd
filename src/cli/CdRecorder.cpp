#include "cli/CdRecorder.h"

#include "cli/Interrupt.h"
#include "cli/SourceList.h"
#include "media/MediaPlayer.h"
#include "mixer/CardSetup.h"
#include "mixer/Unit2.h"
#include "platform/Errors.h"
#include "platform/card/SoundCard.h"
#include "platform/device/MediaDevice.h"
#include "platform/os/ErrorReport.h"
#include "platform/os/ProfileFile.h"
#include "platform/os/Translations.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>

CdRecorder::CdRecorder(const CliOptions& options) : options_(options)
{
    const ProfileFile settings = ProfileFile::Settings();
    for (std::size_t i = 0; i < state_.recordLevels.size(); ++i)
        state_.recordLevels[i] = settings.ReadInteger("RECORD_LEVEL", kRecordLevelKeys[i], kDefaultRecordLevel);
    state_.sourceKind = "cd";
    card_ = CreateSoundCard([&](SoundCardSettings& s) { ApplyRecordDevice(options, s); });
    form2_ = std::make_unique<TForm2>(state_);
    WizardHooks hooks;
    hooks.RecordingFailed = [this](const std::string& message) { failure_ = message; };
    form2_->SetWizardHooks(std::move(hooks));
}

CdRecorder::~CdRecorder()
{
    // The CD player lets go of the card's CD line before the card goes, and the sources
    // selected go back as the wizard leaves them when it closes.
    Guarded([&] { player_.reset(); });
    Guarded([&] { form2_->RestoreMixer(); });
    form2_.reset();
    card_.reset();
}

TMediaPlayer& CdRecorder::Player()
{
    if (!player_) {
        auto player = std::make_unique<TMediaPlayer>("MediaPlayer1");
        player->SetDeviceType(dtCDAudio);
        player->SetShareable(true);
        player->SetVisible(false);
        player->SetFileName(options_.device);  // empty: the drive or image the settings name
        player->SetNotifyNext(true);
        player->SetWaitNext(false);
        try {
            player->Open();
        } catch (const EMCIDeviceError& e) {
            throw EMervaneError(QCoreApplication::translate("CdRecorder", "Unable to open CD player").toStdString() + "\n" +
                                e.what());
        }
        player_ = std::move(player);
    }
    return *player_;
}

void CdRecorder::StopPlayer()
{
    if (player_ && player_->Opened() && player_->DeviceMode() == mpPlaying)
        player_->Stop();
}

bool CdRecorder::Record(int track, const std::string& wave, const std::function<void(int)>& progress,
                        const std::function<void(const std::string&)>& tell)
{
    failure_.clear();
    TMediaPlayer& player = Player();
    // The CD line is recorded at its recording level, as the wizard's CD page selects it.
    form2_->SelCD();
    player.SetTimeFormat(mci::FormatMilliseconds);
    const auto number = static_cast<std::uint32_t>(track);
    const std::uint32_t length = player.TrackLength(number);
    const std::uint32_t start = player.TrackStart(number);
    player.SetPlayFrom(start);
    player.SetPlayTo(start + length);

    TMMWaveRecorder& recorder = form2_->MMWaveRecorder1;
    form2_->ReadyRecorderForPlay(wave);
    if (!form2_->StartRecordedPlay(player)) {
        tell(QCoreApplication::translate("CdRecorder", "unable to extract CD data").toStdString() + "\n" +
             player.ErrorMessage());
        return false;
    }
    QTimer look;  // wakes the wait when no message does
    look.start(100);
    QEventLoop loop;
    while (recorder.IsStarted() && InterruptCount() == 0 && failure_.empty()) {
        if (player.DeviceMode() == mpPlaying) {
            const std::uint32_t at = player.CurrentPosition();
            if (const auto percent = PercentOf(at > start ? at - start : 0, length))
                progress(std::min(*percent, 100));
        }
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    }
    recorder.StopRecording();
    if (InterruptCount() > 0) {
        StopPlayer();
        return false;
    }
    // The temporary file could not take the track: the CD stops and nothing is encoded.
    if (const int error = recorder.WriteError(); error || !failure_.empty()) {
        StopPlayer();
        // The recorder's own word on it is on its way: it belongs to this track.
        loop.processEvents();
        tell(!failure_.empty() ? failure_
                               : TranslatedMessage(kRecordingWriteFailedMessage) + "\n" + FileReasonLine(wave, error));
        return false;
    }
    // A play the disc broke off is no whole track (its end notification has come in during
    // the wait above).
    if (player.NotifyResult() == nvFailure) {
        tell("The CD could not be read to the end of track " + std::to_string(track));
        return false;
    }
    progress(100);
    return true;
}
