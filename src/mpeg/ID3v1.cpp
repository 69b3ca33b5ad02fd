#include "mpeg/ID3v1.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr std::size_t kTitleAt = 3, kArtistAt = 33, kAlbumAt = 63, kYearAt = 93, kCommentAt = 97;
constexpr std::size_t kTextSize = 30, kYearSize = 4, kCommentWithTrack = 28;
constexpr std::size_t kTrackMarkerAt = 125, kTrackAt = 126, kGenreAt = 127;

void Put(ID3v1Block& block, std::size_t at, const std::string& text, std::size_t size)
{
    std::memcpy(block.data() + at, text.data(), std::min(text.size(), size));
}

std::string Field(std::span<const std::uint8_t, kID3v1Size> block, std::size_t at, std::size_t size)
{
    const auto* begin = block.data() + at;
    const auto* end = std::find(begin, begin + size, std::uint8_t{0});
    std::string text(begin, end);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0'))
        text.pop_back();
    return text;
}
}  // namespace

ID3v1Block BuildID3v1(const ID3v1Fields& fields)
{
    ID3v1Block block{};
    std::memcpy(block.data(), "TAG", 3);
    Put(block, kTitleAt, fields.title, kTextSize);
    Put(block, kArtistAt, fields.artist, kTextSize);
    Put(block, kAlbumAt, fields.album, kTextSize);
    Put(block, kYearAt, fields.year, kYearSize);
    if (fields.track != 0) {
        Put(block, kCommentAt, fields.comment, kCommentWithTrack);
        block[kTrackMarkerAt] = 0;
        block[kTrackAt] = fields.track;
    } else {
        Put(block, kCommentAt, fields.comment, kTextSize);
    }
    block[kGenreAt] = fields.genre;
    return block;
}

bool IsID3v1(std::span<const std::uint8_t> block)
{
    return block.size() >= 3 && block[0] == 'T' && block[1] == 'A' && block[2] == 'G';
}

std::optional<ID3v1Fields> ParseID3v1(std::span<const std::uint8_t, kID3v1Size> block)
{
    if (!IsID3v1(block))
        return std::nullopt;
    ID3v1Fields f;
    f.title = Field(block, kTitleAt, kTextSize);
    f.artist = Field(block, kArtistAt, kTextSize);
    f.album = Field(block, kAlbumAt, kTextSize);
    const auto* year = block.data() + kYearAt;
    f.year.assign(year, std::find(year, year + kYearSize, std::uint8_t{0}));
    const bool hasTrack = block[kTrackMarkerAt] == 0;
    f.comment = Field(block, kCommentAt, hasTrack ? kCommentWithTrack : kTextSize);
    f.track = hasTrack ? block[kTrackAt] : 0;
    f.genre = block[kGenreAt];
    return f;
}
