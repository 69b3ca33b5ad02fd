// The MIDI player of the MIDI flow and the end of a MIDI recording.
#include "mixer/Unit2.h"

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
}
