#include "mixer/TrackEncoders.h"

#include "mixer/OutputGuard.h"
#include "mixer/Unit2.h"
#include "mpeg/TagFile.h"
#include "platform/tag/ID3v2Render.h"
#include "wave/MMWave.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

void ConfigureEncoder(TMMMP3Encoder& encoder, const EncoderSettings& settings, int bitRateIndex, bool copyright,
                      bool original)
{
    encoder.SetBitrate(static_cast<TMMBitrates>(bitRateIndex));
    encoder.SetCopyright(copyright);
    encoder.SetOriginal(original);
    // A plain MP3 starts with the room for its ID3v2 tag and a Xing/Info frame; the wave
    // container keeps its layout (the tag goes into a chunk after the encoding).
    encoder.SetFileType(settings.mp3Container ? ftRAW : ftWAV);
    encoder.SetLeadingBytes(settings.mp3Container ? BlankID3v23(kID3v2Room) : std::vector<std::uint8_t>{});
    encoder.SetInfoFrame(settings.mp3Container);
    encoder.SetChannelMode(settings.jointStereo ? cmJointStereo : cmStereo);
    encoder.SetVbr(settings.vbr, settings.vbrQuality);
    encoder.SetMeasureLoudness(settings.replayGain);
    encoder.SetJobs(1, {});
}

void JoinEncodingChain(TMMWaveFile& file, TMMTrigger& trigger, TMMMP3Encoder& encoder)
{
    file.SetOutput(&trigger);
    trigger.SetOutput(&encoder);
    trigger.SetBufferSize(65536);
    trigger.SetInterval(0);
    trigger.SetTimeFormat(tfSample);
    encoder.SetStaged(true);
}

// One encoder: the same chain as the hidden window's, with the job it works on.
struct TrackEncoders::Lane {
    TMMWaveFile file{"WaveFile"};
    TMMTrigger trigger{"Trigger"};
    TMMMP3Encoder encoder{"MP3Encoder"};
    TrackJob job;
    OutputSnapshot before;  // what stood at the output's name when the job started
    bool busy = false;
    bool stopAsked = false;  // StopAll: the file is not kept

    Lane() { JoinEncodingChain(file, trigger, encoder); }
    ~Lane()
    {
        trigger.OnStop = nullptr;
        // The worker ends while the encoder it feeds still stands; the encoder then removes
        // its staged file as it goes.
        trigger.CloseForGood();
        if (busy)
            RemoveInput();
    }
    void RemoveInput()
    {
        std::error_code ec;
        std::filesystem::remove(job.input, ec);
    }
};

TrackEncoders::TrackEncoders(const EncoderSettings& settings, int jobs, TagWriter tag, Ended ended)
    : settings_(settings), tag_(std::move(tag)), ended_(std::move(ended))
{
    for (int k = 0; k < std::max(jobs, 1); ++k) {
        lanes_.push_back(std::make_unique<Lane>());
        Lane* lane = lanes_.back().get();
        lane->trigger.OnStop = [this, lane](TMMDSPComponent*) { EndInTurn(*lane); };
    }
}

TrackEncoders::~TrackEncoders() = default;

int TrackEncoders::Running() const
{
    return static_cast<int>(std::count_if(lanes_.begin(), lanes_.end(), [](const auto& l) { return l->busy; }));
}

void TrackEncoders::Start(TrackJob job)
{
    const auto free = std::find_if(lanes_.begin(), lanes_.end(), [](const auto& l) { return !l->busy; });
    if (free == lanes_.end()) {
        std::error_code ec;
        std::filesystem::remove(job.input, ec);
        throw std::logic_error("no free encoder");
    }
    Lane& lane = **free;
    lane.job = std::move(job);
    lane.stopAsked = false;
    try {
        RefuseUnsafeOutput(lane.job.input, lane.job.output);
        ConfigureEncoder(lane.encoder, settings_, lane.job.bitRateIndex, lane.job.copyright, lane.job.original);
        lane.file.Wave()->SetFileName(lane.job.input);
        lane.encoder.SetFileName(lane.job.output);
        lane.before = SnapshotOutput(lane.job.output);
        lane.busy = true;
        lane.trigger.Start();
    } catch (...) {
        lane.busy = false;
        lane.RemoveInput();
        throw;
    }
}

void TrackEncoders::StopAll()
{
    for (auto& lane : lanes_) {
        if (!lane->busy)
            continue;
        lane->stopAsked = true;
        lane->trigger.Stop();  // the stop handler follows, at once or after the buffer in hand
    }
}

int TrackEncoders::RunningPercentSum() const
{
    int sum = 0;
    for (const auto& lane : lanes_) {
        if (!lane->busy)
            continue;
        const TMMWave* wave = lane->file.Wave();
        sum += std::clamp(PercentOf(wave->GetPosition(), wave->DataSize()).value_or(0), 0, 100);
    }
    return sum;
}

// Tagging lets window messages run, so another lane's end can arrive while one is being
// tagged: it waits its turn instead of tagging through the same details at once.
void TrackEncoders::EndInTurn(Lane& lane)
{
    waitingEnds_.push_back(&lane);
    if (ending_)
        return;
    ending_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{ending_};
    while (!waitingEnds_.empty()) {
        Lane* next = waitingEnds_.front();
        waitingEnds_.erase(waitingEnds_.begin());
        LaneStopped(*next);
    }
}

// The end of a lane's run, as the hidden window's stop handler ends its own: the whole
// file is tagged and takes its name; a stopped or failed run leaves nothing.
void TrackEncoders::LaneStopped(Lane& lane)
{
    lane.trigger.Close();
    TMMMP3Encoder& encoder = lane.encoder;
    TrackEnd end;
    end.track = lane.job.track;
    end.staged = encoder.OutputPath();
    const std::string& output = lane.job.output;
    const std::string cutShort = InputCutShortMessage(*lane.file.Wave());
    const bool keep = !lane.stopAsked && !encoder.WriteFailed() && cutShort.empty();
    if (keep) {
        // A tag or Info frame that could not be written is told; the frames still play.
        int tagError = tag_ ? tag_(encoder, end.staged, end.track) : 0;
        if (tagError == 0)
            tagError = encoder.InfoFrameError();
        std::string saveError;
        try {
            end.published = PublishOutput(end.staged, output, lane.before);
            end.completed = true;
        } catch (const EMP3EncoderError& e) {
            saveError = e.what();
        }
        if (tagError)
            end.message = std::string(kTagWriteFailedMessage) + "\n" + FileReasonLine(output, tagError);
        else
            end.message = saveError;
    } else {
        std::error_code ec;
        std::filesystem::remove(end.staged, ec);
        if (encoder.WriteFailed())
            end.message =
                std::string(kEncodingWriteFailedMessage) + "\n" + FileReasonLine(output, encoder.WriteError());
        else if (!lane.stopAsked)
            end.message = cutShort;
    }
    lane.RemoveInput();
    lane.busy = false;
    if (ended_)
        ended_(end);
}
