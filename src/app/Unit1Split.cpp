// A live take split at its silences: the page SplitTracks, where the finder's tracks are
// shown and adjusted, and the encoding of the tracks one after another (SplitRun).
#include "app/Unit1.h"

#include "app/SplitTracksPage.h"
#include "mixer/Unit2.h"
#include "platform/os/ErrorReport.h"
#include "platform/os/Paths.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <filesystem>
#include <utility>

void TForm1::BuildSplitTracks()
{
    SplitTracks = AddPage("SplitTracks", tr("Tracks of the take"));
    splitPage_ = new SplitTracksPage(SplitTracks);
    AddNextCancel(SplitTracks, "SplitTracksNext", tr("&Next >"), &TForm1::SplitTracksNextClick, true);
    enterActions_[SplitTracks] = [this] { SplitTracksEnter(); };
}

void TForm1::SplitTracksEnter()
{
    // Each new take is split anew; Back after a failed run of its tracks keeps them.
    if (std::exchange(keepSplitTracks_, false))
        return;
    splitPage_->Propose(TemporaryWavePath());
}

void TForm1::SplitTracksNextClick()
{
    MoveTo(SingleTag);
}

bool TForm1::SplittingTake() const
{
    return RecExtSplit && RecExtSplit->isChecked() && state_.inputFileName == TemporaryWavePath() &&
           (state_.sourceKind == "mic" || state_.sourceKind == "line" || state_.sourceKind == "aux") &&
           !splitPage_->Split().Tracks().empty();
}

FileRun& TForm1::ActiveRun()
{
    return splitRun_ ? splitRun_->Run() : *fileRun_;
}

void TForm1::StartSplitRun()
{
    const TrackSplit& split = splitPage_->Split();
    TrackNaming naming;
    naming.title = singleTag.title->text().toStdString();
    naming.artist = singleTag.artist->text().toStdString();
    naming.album = singleTag.album->text().toStdString();
    naming.year = singleTag.year->value();
    const std::string folder = std::filesystem::path(state_.outputFileName).parent_path().string();
    splitRun_ = std::make_unique<SplitRun>(*form2_, state_, *filePages_, split,
                                           TrackFileNames(folder, naming, split.Tracks().size()));
    splitRun_->Start(state_.inputFileName);
}
