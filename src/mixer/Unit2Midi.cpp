// The MIDI player of the MIDI flow, the end of a MIDI recording and its encoding beside
// the synthesis.
#include "mixer/Unit2.h"

#include "platform/card/SoundCard.h"

#include <filesystem>
#include <span>

namespace {
// How far the synthesiser may run ahead of the encoder beside it, in bytes of 16-bit
// stereo: 2 s of audio. The encoder is the slower of the two; what the synthesiser renders
// beyond this only waits in memory, and the encoder would still be busy with it after the
// play's end.
constexpr std::int64_t kLiveAheadBytes = 2 * 44100 * 4;

void holdCardFor(TMMPcmFeed* feed)
{
    if (SoundCard* card = SoundCard::Current())
        card->SetFastPaceHold(feed ? std::function<bool()>([feed] { return feed->FarAhead(kLiveAheadBytes); })
                                   : std::function<bool()>());
}
}  // namespace

void TForm2::SetUpMediaPlayer()
{
    MediaPlayer1.SetDeviceType(dtAutoSelect);
    MediaPlayer1.SetVisible(false);
    MediaPlayer1.OnNotify = [this](TMediaPlayer* sender) { MediaPlayer1Notify(sender); };
}

void TForm2::CloseMediaPlayer()
{
    // The sequencer plays into the sound card's synthesiser, which goes with the card after
    // this window: the player must let go of it now, and tell nobody.
    MediaPlayer1.OnNotify = nullptr;
    holdCardFor(nullptr);
    try {
        MediaPlayer1.Close();
    } catch (...) {
        // Closing at exit releases what it can; there is nobody left to tell.
    }
}

void TForm2::MediaPlayer1Notify(TMediaPlayer* sender)
{
    MediaPlayer1.SetNotifyNext(false);
    const TMPNotifyValues result = sender ? sender->NotifyResult() : nvAborted;
    const bool completed = result == nvSuccessful;
    // A play that ran out (or failed) has marked its last frame in the recording; the
    // recorder stops there by itself once it has taken every frame before it, and the
    // recording ends then. A stopped play (Cancel) ends it now.
    if ((completed || result == nvFailure) && !state_.cancel && MMWaveRecorder1.WaveIn().RecordPlay() &&
        MMWaveRecorder1.IsStarted()) {
        awaitingPlayEnd_ = true;
        playCompleted_ = completed;
        return;
    }
    EndMidiRecording(completed);
}

void TForm2::EndMidiRecording(bool completed)
{
    awaitingPlayEnd_ = false;
    holdCardFor(nullptr);
    MediaPlayer1.SetNotifyNext(false);
    if (hooks_.EnableTimer1)
        hooks_.EnableTimer1(false);
    // Stopping closes the wave input, which completes the temporary wave file.
    MMWaveRecorder1.StopRecording();
    state_.midiPlaying = false;
    if (hooks_.PlaybackEnded)
        hooks_.PlaybackEnded(completed);
    if (!state_.cancel && hooks_.MakeMP3)
        hooks_.MakeMP3(MMWaveRecorder1.Wave()->FileName(), state_.outputFileName);
    else
        DiscardLiveEncoding();
}

bool TForm2::WantsLiveEncoding()
{
    // The feed and the pump's start run where the recorder hands its buffers: the main
    // thread, as the window sets the recorder up.
    const SoundCard* card = SoundCard::Current();
    TMMWaveIn& in = MMWaveRecorder1.WaveIn();
    return card && card->FastClock() && state_.sourceKind == "midi" && !state_.cancel &&
           !state_.encodingInProgress && !Trigger.IsOpened() && in.RecordPlay() && in.CallBackMode() == cmWindow;
}

void TForm2::BeginLiveFeed()
{
    liveFeeding_ = liveRunning_ = liveHandedOver_ = liveStoppedEarly_ = lastRecordingEncodedLive_ = false;
    const TWaveFormatEx* format = MMWaveRecorder1.WaveIn().GetWaveFormat();
    if (!WantsLiveEncoding() || !format || format->wBitsPerSample != 16)
        return;
    liveRun_ = {MMWaveRecorder1.Wave()->FileName(), state_.outputFileName, state_.bitRateIndex, state_.copyright,
                state_.original};
    LiveFeed.Begin(*format);
    liveFeeding_ = true;
    // The card renders the song only as far ahead of the encoder as the encoder needs, so
    // the encoder keeps a core and the MP3 is done just after the play; the bytes are the
    // same either way.
    holdCardFor(&LiveFeed);
}

void TForm2::FeedLive(const TMMWaveHdr* lpWaveHdr)
{
    if (!liveFeeding_ || liveHandedOver_ || liveStoppedEarly_ || lpWaveHdr->dwBytesRecorded <= 0)
        return;
    LiveFeed.Push(std::span(lpWaveHdr->lpData, static_cast<std::size_t>(lpWaveHdr->dwBytesRecorded)));
    // The pump's first load runs here, on the main thread: it starts once that load finds
    // a whole buffer waiting, so it never waits for the recorder it would hold up.
    if (!liveRunning_ && LiveFeed.Queued() > Trigger.GetBufferSize())
        StartLiveEncoding();
}

void TForm2::StartLiveEncoding()
{
    try {
        RefuseUnsafeOutput(liveRun_.input, liveRun_.output);
        // One encoder: the other core renders the song.
        PrepareEncoder(liveRun_.output, liveRun_.bitRateIndex, liveRun_.copyright, liveRun_.original, 1, {});
        LiveFeed.SetOutput(&Trigger);
        LiveFeed.SetWaveFormat(LiveFeed.GetWaveFormat());
        liveRunning_ = true;
        Trigger.Start();
    } catch (...) {
        // The recording is encoded from its file when it ends, as at real time; that
        // encoding meets the same fault and tells it.
        liveFeeding_ = false;
        LiveFeed.Abort();
        EndLiveRun();
    }
}

void TForm2::HandOverLiveEncoding()
{
    LiveFeed.End();
    liveFeeding_ = false;
    state_.encodingInProgress = true;
    if (liveStoppedEarly_) {
        // The run ended (a failed write) before the recording did: its end is told now.
        liveStoppedEarly_ = false;
        FinishEncodingRun();
        return;
    }
    liveHandedOver_ = lastRecordingEncodedLive_ = true;
    hooks_.EnableTimer1(true);
}

void TForm2::DiscardLiveEncoding()
{
    if (!liveFeeding_)
        return;
    liveFeeding_ = false;
    if (liveRunning_) {
        // The stop waits for the buffer in hand; the pump waiting for bytes is woken empty.
        Trigger.Stop();
        LiveFeed.Abort();
    } else if (liveStoppedEarly_) {
        liveStoppedEarly_ = false;
        std::error_code ec;
        std::filesystem::remove(MP3Encoder.OutputPath(), ec);
    }
}

void TForm2::EndLiveRun()
{
    liveRunning_ = false;
    if (Trigger.Input() == &LiveFeed)
        WaveFile.SetOutput(&Trigger);
}
