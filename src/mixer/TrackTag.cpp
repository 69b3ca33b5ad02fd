#include "mixer/TrackTag.h"

#include "mpeg/MPEGNames.h"
#include "mpeg/TagFile.h"

#include <QString>
#include <algorithm>
#include <cerrno>

namespace {
// Texts longer than 255 characters are cut first; the tag then keeps what fits.
QString cut255(const std::string& text)
{
    return QString::fromStdString(text).left(255);
}

// The tag's result as a system error code: a missing file (-1) is ENOENT.
int tagError(int saved)
{
    return saved < 0 ? ENOENT : saved;
}

void addGain(ID3v2Fields& fields, const char* gainName, const char* peakName, std::optional<double> lufs, double peak)
{
    if (!lufs)
        return;
    fields.userTexts.emplace_back(gainName, ReplayGainText(*lufs));
    fields.userTexts.emplace_back(peakName, ReplayPeakText(peak));
}
}  // namespace

std::string GenreText(int genre)
{
    return genre >= 0 && genre < kGenreCount ? GenreName(genre) : std::string();
}

int WriteTrackTag(const TMMMP3Encoder& encoder, TMPEGAudio& tag, const std::string& file, const TrackDetails& d,
                  const std::string& trackText, std::vector<AlbumTrack>* album)
{
    tag.SetFileName(file);
    tag.SetArtist(cut255(d.artist));
    tag.SetTitle(QString::fromStdString(d.title).left(30));
    tag.SetAlbum(cut255(d.album));
    tag.SetYear(QString::number(d.year));
    tag.SetGenre(static_cast<std::uint8_t>(d.genre & 0xFF));
    tag.SetComment(cut255(d.comment));
    tag.SetTrack(static_cast<std::uint8_t>(d.track & 0xFF));
    ID3v2Fields v2;
    v2.title = d.title;
    v2.artist = d.artist;
    v2.album = d.album;
    v2.year = std::to_string(d.year);
    v2.track = trackText;
    v2.genre = GenreText(d.genre);
    v2.comment = d.comment;
    v2.composer = d.composer;
    v2.isrc = d.isrc;
    v2.cover = d.cover;
    // The ID3v2 tag first: in a wave file its chunk goes before the ID3v1 tag at the end.
    const int v2Error = WriteTrackID3v2(encoder, file, std::move(v2), album);
    const int v1Error = tagError(tag.SaveTag());
    return v1Error != 0 ? v1Error : v2Error;
}

int WriteTrackID3v2(const TMMMP3Encoder& encoder, const std::string& file, ID3v2Fields fields,
                    std::vector<AlbumTrack>* album)
{
    const bool mp3 = encoder.FileType() == ftRAW;
    const std::shared_ptr<const LoudnessMeter> loudness = encoder.Loudness();
    if (loudness)
        addGain(fields, "REPLAYGAIN_TRACK_GAIN", "REPLAYGAIN_TRACK_PEAK", loudness->IntegratedLufs(),
                loudness->SamplePeak());
    const int error = SaveID3v2(file, mp3, fields);
    if (error == 0 && album && loudness)
        album->push_back({file, mp3, std::move(fields), loudness});
    return error;
}

std::pair<std::string, int> WriteAlbumGain(std::vector<AlbumTrack>& album)
{
    std::vector<const LoudnessMeter*> meters;
    double peak = 0;
    for (const AlbumTrack& t : album) {
        meters.push_back(t.loudness.get());
        peak = std::max(peak, t.loudness->SamplePeak());
    }
    std::pair<std::string, int> failed{"", 0};
    if (const std::optional<double> lufs = LoudnessMeter::AlbumLufs(meters)) {
        // Every track's tag is written again in its own room, so no audio moves; the first
        // failure is told, the other files keep their track gain.
        for (AlbumTrack& t : album) {
            addGain(t.fields, "REPLAYGAIN_ALBUM_GAIN", "REPLAYGAIN_ALBUM_PEAK", lufs, peak);
            if (const int rc = SaveID3v2(t.fileName, t.mp3Container, t.fields); rc != 0) {
                failed = {t.fileName, rc};
                break;
            }
        }
    }
    album.clear();
    return failed;
}
