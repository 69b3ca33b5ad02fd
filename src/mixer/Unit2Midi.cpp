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
    if (hooks_.EnableTimer1)
        hooks_.EnableTimer1(false);
    // Stopping closes the wave input, which completes the temporary wave file.
    MMWaveRecorder1.StopRecording();
    MediaPlayer1.SetNotifyNext(false);
    state_.midiPlaying = false;
    if (hooks_.PlaybackEnded)
        hooks_.PlaybackEnded(sender && sender->NotifyResult() == nvSuccessful);
    if (!state_.cancel && hooks_.MakeMP3)
        hooks_.MakeMP3(MMWaveRecorder1.Wave()->FileName(), state_.outputFileName);
}
