// The encoding chain WaveFile -> Trigger -> MP3Encoder: starting it for one file, its
// progress, and what happens when it stops.
#include "mixer/Unit2.h"

#include "mixer/OutputGuard.h"
#include "mixer/TrackEncoders.h"
#include "mpeg/TagFile.h"
#include "platform/os/Dialogs.h"

#include <QCoreApplication>
#include <filesystem>
#include <utility>

std::string InputCutShortMessage(const TMMWave& wave)
{
    const std::string reason = wave.CutShortReason();
    if (reason.empty())
        return {};
    return QCoreApplication::translate("Encoding", "%1 was cut short while it was read (%2). No MP3 file was made.")
        .arg(QString::fromStdString(wave.FileName()), QString::fromStdString(reason))
        .toStdString();
}

void TForm2::PrepareEncoder(const std::string& output, int bitRateIndex, bool copyright, bool original, int jobs,
                            const std::string& source)
{
    ConfigureEncoder(MP3Encoder, state_.encoder, bitRateIndex, copyright, original);
    MP3Encoder.SetJobs(jobs, source);
    MP3Encoder.SetFileName(output);
    outputBefore_ = SnapshotOutput(output);
}

void TForm2::StartEncoding(const std::string& input, const std::string& output, int bitRateIndex,
                           bool copyright, bool original)
{
    RefuseUnsafeOutput(input, output);  // also for the temporary file the flows encode from
    // The recording was encoded while it was made: that run becomes this one. (A song too
    // short to have started it is encoded from its file, as at real time.)
    if (liveFeeding_) {
        const LiveRun& r = liveRun_;
        if ((liveRunning_ || liveStoppedEarly_) && r.input == input && r.output == output &&
            r.bitRateIndex == bitRateIndex && r.copyright == copyright && r.original == original) {
            HandOverLiveEncoding();
            return;
        }
        DiscardLiveEncoding();
    }
    // A long wave file or recording is encoded in parts at once; a CD track keeps one
    // encoder, so that its file does not depend on the number of cores.
    PrepareEncoder(output, bitRateIndex, copyright, original, state_.sourceKind == "cd" ? 1 : state_.encoder.jobs,
                     input);
    WaveFile.Wave()->SetFileName(input);
    state_.encodingInProgress = true;
    try {
        Trigger.Start();
    } catch (...) {
        state_.encodingInProgress = false;
        // A file cut before its first buffer could be read says so rather than that the
        // pump could not start.
        if (const std::string cut = InputCutShortMessage(*WaveFile.Wave()); !cut.empty())
            throw EMMWaveError(cut);
        throw;
    }
}

void TForm2::StopEncoding()
{
    Trigger.Stop();
}

std::optional<int> PercentOf(std::int64_t position, std::int64_t size)
{
    if (size <= 0 || position < 0)
        return std::nullopt;
    // position * 100 / size split so that no product overflows: sizes stay far below
    // 2^56 (a wave file is at most 4 GiB).
    const std::int64_t whole = position / size;
    const std::int64_t part = (position % size) * 100;
    std::int64_t percent = whole * 100 + part / size;
    const std::int64_t twiceRest = (part % size) * 2;
    if (twiceRest > size || (twiceRest == size && percent % 2 != 0))
        ++percent;
    return static_cast<int>(percent);
}

std::optional<int> TForm2::EncodingPercent() const
{
    if (liveRunning_)
        return liveHandedOver_ ? PercentOf(LiveFeed.Taken(), LiveFeed.Total()) : std::nullopt;
    if (const auto split = MP3Encoder.SplitPercent())
        return split;
    const TMMWave* wave = WaveFile.Wave();
    return PercentOf(wave->GetPosition(), wave->DataSize());
}

void TForm2::TriggerStart(TMMDSPComponent*)
{
    // An encoding beside the synthesis is the page's only once the recording has ended.
    if (liveRunning_ && !liveHandedOver_)
        return;
    hooks_.EnableTimer1(true);
}

void TForm2::AbandonEncoding()
{
    abandoning_ = true;
    if (liveFeeding_ && !liveHandedOver_) {
        DiscardLiveEncoding();
        return;
    }
    if (state_.encodingInProgress) {
        Trigger.Stop();
        LiveFeed.Abort();  // a pump waiting for recorded bytes that will not come
    }
}

void TForm2::TriggerStop(TMMDSPComponent*)
{
    Trigger.Close();
    if (liveRunning_) {
        EndLiveRun();
        if (!liveHandedOver_) {
            if (liveFeeding_) {
                // Stopped by itself (a failed write) while the song still plays: the page
                // hears of it when the recording ends and its encoding would begin.
                liveStoppedEarly_ = true;
                LiveFeed.Abort();
            } else {
                // Discarded with its recording.
                std::error_code ec;
                std::filesystem::remove(MP3Encoder.OutputPath(), ec);
            }
            return;
        }
        liveHandedOver_ = false;
    }
    FinishEncodingRun();
}

void TForm2::FinishEncodingRun()
{
    state_.encodingInProgress = false;
    const bool isCd = state_.sourceKind == "cd";
    const std::string& output = MP3Encoder.FileName();
    const std::string staged = MP3Encoder.OutputPath();
    // What was encoded takes the MP3's name, tagged, when the input ended or the user
    // stopped it (Cancel and Finish keep the shorter file). A run cut short by a failed
    // write, by an input that gave less than it holds or by the closing window leaves
    // nothing at that name.
    const std::string cutShort = InputCutShortMessage(*WaveFile.Wave());
    const bool keep = !abandoning_ && !MP3Encoder.WriteFailed() && cutShort.empty();
    int tagError = 0;
    std::string saveError;
    publishedOutput_.clear();
    if (keep) {
        // The tag goes into the staged file, so the MP3 appears under its name with its tag.
        if (!isCd)
            tagError = hooks_.WriteTag(staged);
        else
            tagError = hooks_.CDWriteTag(staged);
        // The frames play without their Info frame, only the exact length is lost: told like
        // a tag that could not be written.
        if (tagError == 0 && !MP3Encoder.WriteFailed())
            tagError = MP3Encoder.InfoFrameError();
        try {
            const std::string published = PublishOutput(staged, output, outputBefore_);
            publishedOutput_ = published;
            // A track kept for the album gain was tagged under the staged name.
            for (AlbumTrack& t : state_.albumTracks)
                if (t.fileName == staged)
                    t.fileName = published;
        } catch (const EMP3EncoderError& e) {
            saveError = e.what();
        }
    } else {
        std::error_code ec;
        std::filesystem::remove(staged, ec);
    }
    hooks_.EnableTimer1(false);
    // The last progress poll may be up to 250 ms old: a finished encoding shows 100.
    if (hooks_.EncodingEnded)
        hooks_.EncodingEnded(!state_.cancel && !MP3Encoder.WriteFailed() && cutShort.empty() && saveError.empty());
    if (!isCd)
        hooks_.FinishUp();
    else
        state_.cdTrackDone = true;
    // One message, about the first thing that went wrong: a full disk, then a tag that
    // could not be written (the file has gone, so it cannot be saved either), then the save.
    if (MP3Encoder.WriteFailed())
        AppDialogs().ShowMessage(std::string(kEncodingWriteFailedMessage) + "\n" +
                                 FileReasonLine(output, MP3Encoder.WriteError()));
    else if (!cutShort.empty() && !abandoning_)
        AppDialogs().ShowMessage(cutShort);
    else if (tagError)
        AppDialogs().ShowMessage(std::string(kTagWriteFailedMessage) + "\n" + FileReasonLine(output, tagError));
    else if (!saveError.empty())
        AppDialogs().ShowMessage(saveError);
}
