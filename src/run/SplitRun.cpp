#include "run/SplitRun.h"

#include "platform/Errors.h"
#include "platform/os/ErrorReport.h"
#include "platform/os/InstanceFolder.h"
#include "platform/os/MessageTarget.h"

#include <QCoreApplication>
#include <filesystem>
#include <utility>

SplitRun::SplitRun(TForm2& engine, WizardState& state, FileRunListener& door, TrackSplit split,
                   std::vector<std::string> outputs)
    : state_(state), door_(door), run_(engine, state, *this), split_(std::move(split)), outputs_(std::move(outputs))
{
    if (outputs_.size() != split_.Tracks().size() || outputs_.empty())
        throw EMervaneError(QCoreApplication::translate("SplitRun", "A split take needs one file name for each of its tracks.").toStdString());
}

SplitRun::~SplitRun()
{
    *alive_ = false;
    removeFiles();
}

void SplitRun::removeFiles()
{
    std::error_code ec;
    if (!part_.empty())
        std::filesystem::remove(part_, ec);
    if (ownTake_ && !take_.empty())
        std::filesystem::remove(take_, ec);
    part_.clear();
    take_.clear();
}

void SplitRun::Start(const std::string& take)
{
    // The engine removes the temporary wave after every encoding; the tracks still to come
    // are cut from the take kept here.
    take_ = InstanceFolder() + ".split-take.wav";
    std::error_code ec;
    std::filesystem::rename(take, take_, ec);
    if (ec) {
        // Either side may be the one missing (the take, or the folder it is kept in).
        const std::string kept = std::exchange(take_, std::string());
        throw EMervaneError(QCoreApplication::translate("SplitRun", "The take cannot be kept for its tracks:")
                                .toStdString() +
                            "\n" + take + " -> " + kept + ": " + ec.message());
    }
    ownTake_ = true;
    takeName_ = take;
    takeGivenBack_ = false;
    index_ = 0;
    done_ = false;
    startTrack();
}

void SplitRun::StartOnFile(const std::string& wave)
{
    take_ = wave;
    ownTake_ = false;
    takeName_.clear();
    takeGivenBack_ = false;
    index_ = 0;
    done_ = false;
    startTrack();
}

void SplitRun::startTrack()
{
    try {
        std::error_code ec;
        if (!part_.empty())
            std::filesystem::remove(part_, ec);
        part_ = WriteTrackPart(take_, split_.Tracks().at(index_), index_ + 1);
        state_.outputFileName = outputs_[index_];
        run_.StartWave(part_, outputs_[index_]);
    } catch (...) {
        done_ = true;
        giveTakeBack();
        door_.RunFinished(FileRunResult{});
        throw;
    }
}

void SplitRun::giveTakeBack()
{
    std::error_code ec;
    if (!ownTake_ || take_.empty() || takeName_.empty())
        return;
    std::filesystem::rename(take_, takeName_, ec);
    if (!ec) {
        take_.clear();
        takeGivenBack_ = true;
    }
}

void SplitRun::Cancel()
{
    done_ = true;
    run_.Cancel();
}

void SplitRun::RunProgress(FileStage stage, int percent)
{
    // The encoding gauge covers every track.
    const auto count = static_cast<int>(Count());
    door_.RunProgress(stage, (static_cast<int>(index_) * 100 + percent) / count);
}

void SplitRun::RunMessage(const std::string& text)
{
    door_.RunMessage(text);
}

void SplitRun::RunFinished(const FileRunResult& result)
{
    if (!result.ok || state_.cancel || done_ || index_ + 1 >= Count()) {
        // A failed track leaves the take for another try; a cancelled run ends it.
        if (!result.ok && !state_.cancel && !done_)
            giveTakeBack();
        done_ = true;
        removeFiles();
        door_.RunFinished(result);
        return;
    }
    ++index_;
    // The next track starts once the engine has finished with this one.
    PostToMainThread([this, alive = std::weak_ptr<bool>(alive_)] {
        if (alive.lock() && *alive.lock())
            Guarded([&] { startTrack(); });
    });
}
