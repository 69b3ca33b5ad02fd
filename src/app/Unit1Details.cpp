// Track details: the single-file details page, the CD details choice and the per-track page.
#include "app/Unit1.h"

#include "discinfo/SingleFileTitle.h"
#include "mixer/TrackTag.h"
#include "mixer/Unit2.h"
#include "mpeg/MPEGAudio.h"
#include "mpeg/MPEGNames.h"
#include "mpeg/TagFile.h"
#include "platform/os/Dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <cerrno>

void TForm1::WriteAlbumGain()
{
    if (const auto [file, rc] = ::WriteAlbumGain(state_.albumTracks); rc != 0)
        AppDialogs().ShowMessage(std::string(kTagWriteFailedMessage) + "\n" + FileReasonLine(file, rc));
}

void TForm1::SingleTagEnter()
{
    state_.tag = std::make_unique<TMPEGAudio>();
    FillStyleList(singleTag.style);
    SingleTagCoverEnter();
    // A file's title is proposed once per input; a title typed for it is kept on return.
    const bool fileRoad = state_.sourceKind == "wave" || state_.sourceKind == "midi";
    if (fileRoad && state_.inputFileName != titleProposedFor_) {
        titleProposedFor_ = state_.inputFileName;
        singleTag.title->setText(QString::fromStdString(
            state_.sourceKind == "midi" ? MidiFileTitle(state_.inputFileName) : TitleFromFileName(state_.inputFileName)));
    }
}

void TForm1::SingleTagNextClick()
{
    state_.copyright = singleTag.copyright->isChecked();
    state_.original = singleTag.original->isChecked();
    MoveTo(EncodeOptions);
}

void TForm1::CDtagselNextClick()
{
    state_.cdTrackDetails = CDtagselYes->isChecked();
    MoveTo(state_.cdTrackDetails ? Multitag : RecEncCD);
}

void TForm1::MultitagEnter()
{
    state_.scanIndex = 0;
    state_.detailsCount = 0;
    multiTag.artist->setFocus();
    state_.tag = std::make_unique<TMPEGAudio>();
    FillStyleList(multiTag.style);
    ShowCover();
    ShowMultitagTrack();
}

void TForm1::MultitagNextClick()
{
    TrackDetails& d = state_.trackDetails.at(static_cast<std::size_t>(state_.currentTrack));
    d.artist = multiTag.artist->text().toStdString();
    d.title = multiTag.title->text().toStdString();
    d.album = multiTag.album->text().toStdString();
    d.year = multiTag.year->value();
    d.track = multiTag.track->value();
    d.genre = GenreByteOf(multiTag.style);
    d.comment = multiTag.comment->text().toStdString();
    // What the page does not show comes with the found track.
    const FoundTrack* found = discFound_ ? discFound_->Track(state_.currentTrack) : nullptr;
    d.composer = found ? found->composer : std::string();
    d.isrc = found ? found->isrc : std::string();
    d.copyright = multiTag.copyright->isChecked();
    d.original = multiTag.original->isChecked();
    d.cover = state_.cover;
    if (state_.detailsCount == state_.selectedTrackCount) {
        KeepConfirmedDetails();
        state_.currentTrack = 0;
        MoveTo(RecEncCD);
        return;
    }
    multiTag.comment->clear();
    multiTag.comment->setFocus();
    ShowMultitagTrack();
}

// Moves the scan to the next checked track (or the last entry of the list) and shows it.
void TForm1::ShowMultitagTrack()
{
    const int count = static_cast<int>(state_.cdTrackChecked.size());
    while (state_.scanIndex < count - 1 && !state_.cdTrackChecked[static_cast<std::size_t>(state_.scanIndex)])
        ++state_.scanIndex;
    state_.currentTrack = ListedTrack(state_.scanIndex);
    ++state_.scanIndex;
    ++state_.detailsCount;
    titles_["Multitag"]->setText("Enter details for track " + QString::number(state_.currentTrack));
    multiTag.track->setValue(state_.currentTrack);
    ShowFoundTrack(state_.currentTrack);
}

void TForm1::FillStyleList(QComboBox* style)
{
    style->clear();
    style->addItem("Unknown");
    for (int genre = 0; genre < kGenreCount; ++genre)
        style->addItem(QString::fromStdString(GenreName(genre)));
    style->addItem("Unknown");
    style->setCurrentIndex(0);
}

int TForm1::GenreByteOf(const QComboBox* style) const
{
    if (style->currentText() == "Unknown")
        return 255;
    // A typed style that is not in the list has position -1, which gives the byte 254.
    const int position = style->findText(style->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    return (position - 1) & 0xFF;
}

int TForm1::WriteTag(const std::string& file)
{
    if (!state_.tag)
        state_.tag = std::make_unique<TMPEGAudio>();
    TrackDetails d;
    d.artist = singleTag.artist->text().toStdString();
    d.title = singleTag.title->text().toStdString();
    d.album = singleTag.album->text().toStdString();
    d.year = singleTag.year->value();
    d.track = singleTag.track->value();
    d.genre = GenreByteOf(singleTag.style);
    d.comment = singleTag.comment->text().toStdString();
    d.cover = state_.cover;
    std::string trackText = std::to_string(d.track);
    // Each track of a split take carries its own number, of how many.
    if (splitRun_ && !splitRun_->Done()) {
        d.track = splitRun_->Track();
        trackText = std::to_string(d.track) + "/" + std::to_string(splitRun_->Count());
    }
    return WriteTrackTag(form2_->MP3Encoder, *state_.tag, file, d, trackText, nullptr);
}

int TForm1::CDWriteTag(const std::string& file)
{
    return CDTrackTag(form2_->MP3Encoder, file, state_.currentTrack);
}

int TForm1::CDTrackTag(const TMMMP3Encoder& encoder, const std::string& file, int track)
{
    // The run decides what a track's tag holds.
    return cdRun_ ? cdRun_->TagTrack(encoder, file, track) : 0;
}
