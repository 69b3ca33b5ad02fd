#include "run/FileRun.h"

#include "mixer/OutputGuard.h"
#include "mixer/WaveCheck.h"
#include "platform/card/SoundCard.h"
#include "platform/os/MessageTarget.h"
#include "platform/os/Paths.h"
#include "wave/MMWave.h"

#include <algorithm>
#include <filesystem>

FileRun::FileRun(TForm2& engine, WizardState& state, FileRunListener& listener)
    : engine_(engine), state_(state), listener_(listener)
{
}

void FileRun::StartWave(const std::string& input, const std::string& output)
{
    // Nothing is written before the output is known not to destroy the input or a folder,
    // and the input is known to be a regular wave file with audio the encoder can take.
    RefuseUnsafeOutput(input, output);
    const bool encoderReady = engine_.CheckWave(input);
    CheckWaveContents(input);
    std::string source = input;
    if (encoderReady) {
        listener_.RunProgress(FileStage::Convert, 100);
    } else {
        source = TemporaryWavePath();
        engine_.ConvertFile(input, source);
        // The encoding page's later steps read the converted copy.
        state_.inputFileName = source;
    }
    ProcessMessages();
    if (!state_.cancel)
        Encode(source, output);
}

void FileRun::StartMidi(const std::string& input, const std::string& output, bool fastPace)
{
    // The encoder replaces its output: nothing plays before the output is known not to be
    // the MIDI file itself, a folder, a pipe or a device.
    RefuseUnsafeOutput(input, output, OutputInput::MidiFile);
    state_.inputFileName = input;
    state_.outputFileName = output;
    engine_.SelMidi();
    TMMWaveRecorder& recorder = engine_.MMWaveRecorder1;
    // The song from its first rendered frame to the end of its release tail.
    engine_.ReadyRecorderForPlay(TemporaryWavePath());
    // The pace holds for this play only: other recordings keep the card's own.
    if (SoundCard* card = SoundCard::Current()) {
        card->SetFastClock(fastPace);
        paceChosen_ = true;
    }
    TMediaPlayer& player = engine_.MediaPlayer1;
    player.SetFileName(input);
    player.Open();  // a file the sequencer cannot read raises here
    try {
        engine_.RefuseRecordingBeyondFreeSpace(input, player.TotalLength(), TemporaryWavePath());
    } catch (...) {
        player.Close();
        throw;
    }
    player.SetNotifyNext(true);
    state_.midiPlaying = true;
    try {
        recorder.StartRecording();
        player.Play();
    } catch (...) {
        // Nothing plays and nothing records: nobody must wait for an end of playback.
        state_.midiPlaying = false;
        recorder.StopRecording();
        player.Close();
        PlaybackEnded(false);
        throw;
    }
}

void FileRun::Encode(const std::string& input, const std::string& output)
{
    {
        // Read before the encoding starts: the file may change under it later.
        TMMWave wave;
        wave.SetFileName(input);
        seconds_ = static_cast<double>(wave.DataBytes()) / (44100.0 * 4);
    }
    state_.encodingInProgress = true;
    engine_.StartEncoding(input, output, state_.bitRateIndex, state_.copyright, state_.original);
}

void FileRun::Cancel()
{
    state_.cancel = true;
    // The player reports the stop as the end of playback: that stops the recorder, and the
    // cancel flag keeps the recording from being encoded.
    if (state_.midiPlaying)
        engine_.MediaPlayer1.Stop();
    if (state_.encodingInProgress)
        engine_.StopEncoding();
}

void FileRun::ConversionProgress(int percent)
{
    listener_.RunProgress(FileStage::Convert, percent);
}

void FileRun::PlaybackEnded(bool completed)
{
    if (paceChosen_) {
        paceChosen_ = false;
        if (SoundCard* card = SoundCard::Current())
            card->SetFastClock(card->Settings().fastClock);
    }
    if (completed)
        listener_.RunProgress(FileStage::Play, 100);
}

void FileRun::EncodingEnded(bool completed)
{
    FileRunResult result;
    result.ok = completed;
    result.seconds = seconds_;
    result.output = completed ? engine_.PublishedOutput() : std::string();
    // A file that fell short while it was read is told by its reader (the conversion's
    // and the encoder's), which then fails the step: a file cut only after it was read
    // whole is no fault of the MP3. A MIDI file is read whole when it is opened.
    listener_.RunFinished(result);
}

void FileRun::Tick()
{
    if (state_.midiPlaying) {
        TMediaPlayer& player = engine_.MediaPlayer1;
        if (!player.Opened())
            return;
        const std::uint32_t total = player.TotalLength();
        // The release tail after the last event plays past the file's length.
        if (const auto percent = PercentOf(std::min(player.CurrentPosition(), total), total))
            listener_.RunProgress(FileStage::Play, *percent);
        return;
    }
    if (const auto percent = engine_.EncodingPercent())
        listener_.RunProgress(FileStage::Encode, *percent);
}
