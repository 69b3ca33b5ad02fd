// Track details: the single-file details page, the CD details choice and the per-track page.
#include "app/Unit1.h"

#include "discinfo/SingleFileTitle.h"
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

namespace {
// Texts longer than 255 characters are cut first; the tag then keeps what fits.
QString cut255(const QString& text)
{
    return text.left(255);
}

// The tag's result as a system error code: a missing file (-1) is ENOENT.
int TagError(int saved)
{
    return saved < 0 ? ENOENT : saved;
}

// The ID3v2 genre text of a genre byte: its name, none for "Unknown".
std::string GenreText(int genre)
{
    return genre >= 0 && genre < kGenreCount ? GenreName(genre) : std::string();
}

void AddGain(ID3v2Fields& fields, const char* gainName, const char* peakName, std::optional<double> lufs, double peak)
{
    if (!lufs)
        return;
    fields.userTexts.emplace_back(gainName, ReplayGainText(*lufs));
    fields.userTexts.emplace_back(peakName, ReplayPeakText(peak));
}
}  // namespace

int TForm1::WriteID3v2(const std::string& file, ID3v2Fields fields, bool keepForAlbum)
{
    const bool mp3 = form2_->MP3Encoder.FileType() == ftRAW;
    const std::shared_ptr<const LoudnessMeter> loudness = form2_->MP3Encoder.Loudness();
    if (loudness)
        AddGain(fields, "REPLAYGAIN_TRACK_GAIN", "REPLAYGAIN_TRACK_PEAK", loudness->IntegratedLufs(),
                loudness->SamplePeak());
    const int rc = SaveID3v2(file, mp3, fields);
    if (rc == 0 && keepForAlbum && loudness)
        state_.albumTracks.push_back({file, mp3, std::move(fields), loudness});
    return rc;
}

void TForm1::WriteAlbumGain()
{
    std::vector<const LoudnessMeter*> meters;
    double peak = 0;
    for (const AlbumTrack& t : state_.albumTracks) {
        meters.push_back(t.loudness.get());
        peak = std::max(peak, t.loudness->SamplePeak());
    }
    const std::optional<double> lufs = LoudnessMeter::AlbumLufs(meters);
    if (!lufs)
        return;
    // Every track's tag is written again in its own room, so no audio moves; the first
    // failure is told, the other files keep their track gain.
    for (AlbumTrack& t : state_.albumTracks) {
        AddGain(t.fields, "REPLAYGAIN_ALBUM_GAIN", "REPLAYGAIN_ALBUM_PEAK", lufs, peak);
        if (const int rc = SaveID3v2(t.fileName, t.mp3Container, t.fields); rc != 0) {
            AppDialogs().ShowMessage(std::string(kTagWriteFailedMessage) + "\n" + FileReasonLine(t.fileName, rc));
            break;
        }
    }
    state_.albumTracks.clear();
}

void TForm1::SingleTagEnter()
{
    state_.tag = std::make_unique<TMPEGAudio>();
    FillStyleList(singleTag.style);
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
    d.copyright = multiTag.copyright->isChecked();
    d.original = multiTag.original->isChecked();
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
    TMPEGAudio& tag = *state_.tag;
    tag.SetFileName(file);
    tag.SetArtist(cut255(singleTag.artist->text()));
    tag.SetTitle(singleTag.title->text().left(30));
    tag.SetAlbum(cut255(singleTag.album->text()));
    tag.SetYear(QString::number(singleTag.year->value()));
    tag.SetGenre(static_cast<std::uint8_t>(GenreByteOf(singleTag.style)));
    tag.SetComment(cut255(singleTag.comment->text()));
    tag.SetTrack(static_cast<std::uint8_t>(singleTag.track->value()));
    ID3v2Fields v2;
    v2.title = singleTag.title->text().toStdString();
    v2.artist = singleTag.artist->text().toStdString();
    v2.album = singleTag.album->text().toStdString();
    v2.year = std::to_string(singleTag.year->value());
    v2.track = std::to_string(singleTag.track->value());
    v2.genre = GenreText(GenreByteOf(singleTag.style));
    v2.comment = singleTag.comment->text().toStdString();
    // The ID3v2 tag first: in a wave file its chunk goes before the ID3v1 tag at the end.
    const int v2Error = WriteID3v2(file, std::move(v2), false);
    const int v1Error = TagError(tag.SaveTag());
    return v1Error != 0 ? v1Error : v2Error;
}

int TForm1::CDWriteTag(const std::string& file)
{
    if (!state_.cdTrackDetails) {
        // No details were entered: the track still carries its number on the disc (and its
        // loudness) in an ID3v2 tag; no ID3v1 tag is added.
        ID3v2Fields v2;
        v2.track = std::to_string(state_.currentTrack) + "/" + std::to_string(state_.cdTrackChecked.size());
        return WriteID3v2(file, std::move(v2), true);
    }
    if (!state_.tag)
        state_.tag = std::make_unique<TMPEGAudio>();
    TMPEGAudio& tag = *state_.tag;
    const TrackDetails& d = state_.trackDetails.at(static_cast<std::size_t>(state_.currentTrack));
    tag.SetFileName(file);
    tag.SetArtist(cut255(QString::fromStdString(d.artist)));
    tag.SetTitle(QString::fromStdString(d.title).left(30));
    tag.SetAlbum(cut255(QString::fromStdString(d.album)));
    tag.SetYear(QString::number(d.year));
    tag.SetGenre(static_cast<std::uint8_t>(d.genre & 0xFF));
    tag.SetComment(cut255(QString::fromStdString(d.comment)));
    tag.SetTrack(static_cast<std::uint8_t>(d.track & 0xFF));
    ID3v2Fields v2;
    v2.title = d.title;
    v2.artist = d.artist;
    v2.album = d.album;
    v2.year = std::to_string(d.year);
    v2.track = std::to_string(d.track) + "/" + std::to_string(state_.cdTrackChecked.size());
    v2.genre = GenreText(d.genre);
    v2.comment = d.comment;
    const int v2Error = WriteID3v2(file, std::move(v2), true);
    const int v1Error = TagError(tag.SaveTag());
    return v1Error != 0 ? v1Error : v2Error;
}
