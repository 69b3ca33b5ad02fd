#include "mixer/Unit2.h"

#include "mixer/TrackEncoders.h"

TForm2::TForm2(WizardState& state, QObject* parent) : TForm2(state, CurrentMixerService(), parent) {}

TForm2::TForm2(WizardState& state, IMixerService* mixer, QObject* parent)
    : QObject(parent), amMixer1(mixer), state_(state)
{
    setObjectName("Form2");

    // The MP3 takes its name only when it is whole: see TriggerStop.
    JoinEncodingChain(WaveFile, Trigger, MP3Encoder);
    MP3Encoder.SetFileType(ftWAV);
    Trigger.OnStart = [this](TMMDSPComponent* sender) { TriggerStart(sender); };
    Trigger.OnStop = [this](TMMDSPComponent* sender) { TriggerStop(sender); };

    SrcFile.SetOutput(&DstFile);
    SrcFile.Wave()->SetFileMustExist(false);
    DstFile.Wave()->SetFileMustExist(false);
    SetUpRecorder();
    SetUpMediaPlayer();

    FormCreate();
}

TForm2::~TForm2()
{
    Trigger.OnStart = nullptr;
    Trigger.OnStop = nullptr;
    MMWaveRecorder1.OnStop = nullptr;
    MMWaveRecorder1.OnData = nullptr;
    MMWaveRecorder1.OnStart = nullptr;
    LevelIn.OnBufferReady = nullptr;
    StopLevelWatch();
    CloseMediaPlayer();
    // A pump encoding a recording as it is made waits for bytes no recorder will bring.
    LiveFeed.Abort();
    // The pump's worker may be inside a buffer for the encoder, which is destroyed before
    // the pump: the worker ends here, while every component it feeds still stands.
    Trigger.CloseForGood();
}
