// The disc details: the CDDB and MusicBrainz replies as the servers send them, the order of
// the sources behind a loopback server, the cache, the file names, and the disc ID against
// python3-libdiscid computing it from the same table of contents.
#include "discinfo/CoverArt.h"
#include "discinfo/DiscCache.h"
#include "discinfo/DiscLookup.h"
#include "discinfo/FileNames.h"
#include "discinfo/MusicBrainzReply.h"
#include "discinfo/Xmcd.h"
#include "platform/cd/DiscId.h"
#include "support/CoverFixtures.h"
#include "support/DiscReplies.h"
#include "support/LocalHttpServer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sys/stat.h>

namespace {
// Three audio tracks of 1, 2 and 2 seconds from LSN 0, as the tests' BIN/CUE images lay them.
std::vector<CdTrack> ThreeTracks()
{
    std::vector<CdTrack> t(3);
    const int starts[] = {0, 75, 225};
    for (int i = 0; i < 3; ++i) {
        t[std::size_t(i)].number = i + 1;
        t[std::size_t(i)].audio = true;
        t[std::size_t(i)].firstSector = starts[i];
    }
    return t;
}
const ReleaseReply kAlbum{"The Band", "First Album", "1999-03-01", "GB", {"Intro", "Song", "Outro"}};

std::vector<std::string> Titles(const DiscDetails& d)
{
    std::vector<std::string> out;
    for (const FoundTrack& t : d.tracks)
        out.push_back(t.title);
    return out;
}
}  // namespace

TEST(DiscId, EqualsWhatLibdiscidsPythonBindingComputesFromTheSameTable)
{
    std::vector<CdTrack> tracks = ThreeTracks();
    tracks.push_back({4, false, 11400 + 375 + 300, 1000});  // an enhanced CD's data track
    const DiscIdentity id = IdentifyDisc(tracks, 11400 + 375 + 1300);
    EXPECT_EQ(id.TrackCount(), 3) << "the data session is not part of the audio disc";
    EXPECT_EQ(id.leadOut, 525 + 300);
    std::unique_ptr<FILE, int (*)(FILE*)> oracle(
        popen("/usr/bin/python3 -c 'import libdiscid; d = libdiscid.put(1, 3, 825, [150, 225, 375]); "
              "print(d.id, d.freedb_id, d.toc)' 2>&1",
              "r"),
        pclose);
    ASSERT_TRUE(oracle);
    char line[256] = {};
    ASSERT_TRUE(fgets(line, sizeof line, oracle.get()));
    EXPECT_EQ(std::string(line), id.musicBrainzId + " " + id.freedbId + " " + id.toc + "\n");
    EXPECT_EQ(id.totalSeconds, 11);
}

TEST(Xmcd, ReadsAnEntryWithContinuationsEscapesAndTrackArtists)
{
    const std::string entry =
        "210 rock 0a000503 CD database entry follows\r\n# xmcd\r\nDISCID=0a000503\r\n"
        "DTITLE=Various Artists / Summer \r\nDTITLE=Hits\r\nDYEAR=2001\r\nDGENRE=Pop\r\n"
        "TTITLE0=Alice / First\\nPart\r\nTTITLE1=Second\r\nTTITLE2=Bob / Th\r\nTTITLE2=ird\r\nEXTD=\r\n.\r\n";
    const std::optional<DiscDetails> d = ParseXmcd(entry, 3);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->artist, "Various Artists");
    EXPECT_EQ(d->album, "Summer Hits");
    EXPECT_EQ(d->year, 2001);
    EXPECT_EQ(d->genre, "Pop");
    EXPECT_EQ(Titles(*d), (std::vector<std::string>{"First\nPart", "Second", "Third"}));
    EXPECT_EQ(d->ArtistOf(1), "Alice");
    EXPECT_EQ(d->ArtistOf(2), "Various Artists");
    EXPECT_EQ(d->ArtistOf(3), "Bob");

    // Another disc's entry (more or fewer tracks), a status other than 210, and no xmcd at all.
    EXPECT_FALSE(ParseXmcd(entry, 2));
    EXPECT_FALSE(ParseXmcd(entry, 4));
    EXPECT_FALSE(ParseXmcd("401 rock 0a000503 No such CD entry in database.\r\n", 3));
    EXPECT_FALSE(ParseXmcd("<html>Service unavailable</html>", 3));
    EXPECT_FALSE(ParseXmcd("DTITLE=A / B\nTTITLE99=x\n", 3));

    EXPECT_EQ(ParseCddbQuery("202 No match for disc ID 0a000503.\r\n").size(), 0u);
    const std::vector<CddbMatch> close = ParseCddbQuery(
        "211 Found inexact matches, list follows (until terminating `.')\r\nrock 0a000503 A / B\r\n"
        "misc 0b000503 C / D\r\nbad../ 1 x\r\n.\r\nrock ffffffff after the end\r\n");
    ASSERT_EQ(close.size(), 2u) << "a category that is no plain word never goes into a URL";
    EXPECT_EQ(close[1].category, "misc");
    EXPECT_EQ(close[1].discId, "0b000503");
    EXPECT_EQ(close[1].title, "C / D");
}

TEST(MusicBrainzReply, TakesTheMediumHoldingTheDiscAndRefusesOtherDiscs)
{
    std::string json = MusicBrainzDiscReply("disc-id", {kAlbum, {"Other", "Second", "2005", "US", {"a", "b", "c"}}});
    const std::vector<DiscDetails> releases = ParseMusicBrainzReleases(json, "disc-id", 3);
    ASSERT_EQ(releases.size(), 2u);
    EXPECT_EQ(releases[0].artist, "The Band");
    EXPECT_EQ(releases[0].album, "First Album");
    EXPECT_EQ(releases[0].year, 1999);
    EXPECT_EQ(releases[0].ChoiceLine(), "The Band - First Album (1999, GB, CD, 3 tracks)");
    EXPECT_EQ(Titles(releases[0]), kAlbum.titles);
    EXPECT_EQ(releases[0].tracks[0].artist, "") << "the album's artist is not repeated per track";
    EXPECT_EQ(Titles(releases[1]), (std::vector<std::string>{"a", "b", "c"}));

    EXPECT_TRUE(ParseMusicBrainzReleases(json, "disc-id", 4).empty()) << "a reply for another disc";
    EXPECT_TRUE(ParseMusicBrainzReleases(json.substr(0, json.size() / 2), "disc-id", 3).empty());
    EXPECT_TRUE(ParseMusicBrainzReleases(R"({"error":"Not Found"})", "disc-id", 3).empty());
    EXPECT_TRUE(ParseMusicBrainzReleases("[1,2,3]", "disc-id", 3).empty());
}

TEST(FileNames, TemplateSafeNamesCutAndDuplicates)
{
    FileNameFields f{1, "a/b: c?", "Artist", "Album", 1999};
    EXPECT_EQ(FileNameFromTemplate("%N - %t", f, false), "01 - a-b: c?");
    EXPECT_EQ(FileNameFromTemplate("%N - %t", f, true), "01 - a-b- c-");
    EXPECT_EQ(FileNameFromTemplate(kDefaultFileNameTemplate, f, false), "Track1");
    EXPECT_EQ(FileNameFromTemplate("%a - %A (%y) %n%% %q", f, false), "Artist - Album (1999) 1% %q");
    f.title = "Trailing. ";
    EXPECT_EQ(FileNameFromTemplate("%t", f, true), "Trailing");
    f.title = "";
    EXPECT_EQ(FileNameFromTemplate("%t", f, false), "Track1") << "a name is never empty";

    // 199 bytes, then a two-byte character that would end at byte 201: it goes whole.
    f.title = std::string(199, 'x') + "\xC3\xA9" + "tail";
    const std::string cut = FileNameFromTemplate("%t", f, false);
    EXPECT_EQ(cut, std::string(199, 'x'));

    std::vector<std::string> names = {"Song", "Other", "Song", "Song"};
    MakeNamesDistinct(names);
    EXPECT_EQ(names, (std::vector<std::string>{"Song", "Other", "Song (2)", "Song (3)"}));
}

TEST(FileNames, SafeNamesDropControlCharactersAndNoNameIsHidden)
{
    FileNameFields f{2, "One\nTwo\x01Three\x1B[1m", "Artist", ".Album", 0};
    EXPECT_EQ(FileNameFromTemplate("%t", f, true), "One-Two-Three-[1m");
    EXPECT_EQ(FileNameFromTemplate("%A - %t", f, false).front(), 'A') << "a leading dot hides a file";
    f.title = "..";
    EXPECT_EQ(FileNameFromTemplate("%t", f, false), "Track2");
    // The rip log and cue sheet are named after the album, with no track.
    FileNameFields disc;
    disc.album = ".";
    EXPECT_EQ(FileNameFromTemplate("%A", disc, true), "Rip");
    EXPECT_EQ(FileNameFromTemplate("%A", disc, false), "Rip");
}

TEST(DiscCache, KeepsWhatWasConfirmedPerDisc)
{
    IsolatedSettings isolated;  // XDG_CACHE_HOME in a fresh folder
    DiscDetails d = ParseMusicBrainzReleases(MusicBrainzDiscReply("x", {kAlbum}), "x", 3).at(0);
    d.firstTrack = 2;
    d.tracks[1].artist = "Guest";
    d.tracks[2].composer = "A. Writer";
    d.tracks[2].isrc = "GBAAA9900003";
    EXPECT_EQ(SaveCachedDisc("AbC.-_", d), "");
    const std::optional<DiscDetails> back = LoadCachedDisc("AbC.-_", 3);
    ASSERT_TRUE(back);
    EXPECT_EQ(DiscDetailsJson(*back), DiscDetailsJson([&] { DiscDetails c = d; c.source = "cache"; return c; }()));
    EXPECT_EQ(back->ArtistOf(3), "Guest");
    EXPECT_EQ(back->Track(4)->composer, "A. Writer");
    EXPECT_EQ(back->Track(4)->isrc, "GBAAA9900003");
    EXPECT_EQ(back->Track(3)->composer, "");
    EXPECT_FALSE(LoadCachedDisc("AbC.-_", 4)) << "an entry for another track count";
    EXPECT_NE(SaveCachedDisc("../escape", d), "") << "a disc ID never names a file outside the cache";
}

TEST(DiscCache, AnEntryThatIsAFifoADeviceOrHugeIsPassedOverAtOnce)
{
    IsolatedSettings isolated;
    std::filesystem::create_directories(DiscCacheFolder());
    const std::string fifo = DiscCacheFolder() + "/fifo.json";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(LoadCachedDisc("fifo", 3)) << "a FIFO with no writer is never waited on";
    std::filesystem::create_symlink("/dev/zero", DiscCacheFolder() + "/zero.json");
    EXPECT_FALSE(LoadCachedDisc("zero", 3)) << "a device is never read";
    std::ofstream(DiscCacheFolder() + "/huge.json") << std::string(2u << 20, ' ');
    EXPECT_FALSE(LoadCachedDisc("huge", 3));

    // A link to an entry the program wrote is still an entry.
    DiscDetails d = ParseMusicBrainzReleases(MusicBrainzDiscReply("x", {kAlbum}), "x", 3).at(0);
    ASSERT_EQ(SaveCachedDisc("real", d), "");
    std::filesystem::create_symlink(DiscCacheFolder() + "/real.json", DiscCacheFolder() + "/linked.json");
    EXPECT_TRUE(LoadCachedDisc("linked", 3));
}

TEST(DiscDetails, EveryTextIsCutToWholeCharacters)
{
    DiscDetails d;
    d.album = std::string(5000, 'a');
    d.artist.clear();
    for (int i = 0; i < 2000; ++i)
        d.artist += "\xC3\xA9";  // two bytes each
    d.tracks = {{std::string(1024, 't'), "", "", ""}};
    d.CapTexts();
    EXPECT_EQ(d.album, std::string(1024, 'a'));
    EXPECT_EQ(d.artist.size(), 2048u) << "1024 characters, none cut in half";
    EXPECT_EQ(d.tracks[0].title.size(), 1024u);
}

// The lookup against loopback servers: what each source answers decides who is asked next.
class Lookup : public ::testing::Test {
protected:
    IsolatedSettings isolated;
    DiscIdentity id = IdentifyDisc(ThreeTracks(), 375);
    CdText cdText;
    std::vector<std::string> outcomes;
    std::chrono::milliseconds timeout{3000};
    std::chrono::milliseconds deadline{15000};

    LookupResult Run(const std::string& musicBrainz, const std::string& gnudb)
    {
        LookupSettings s;
        s.musicBrainz = musicBrainz;
        s.gnudb = gnudb;
        s.timeout = timeout;
        s.deadline = deadline;
        std::atomic<bool> cancel{false};
        outcomes.clear();
        return LookUpDisc(id, cdText, s, cancel, [&](const std::string& line) { outcomes.push_back(line); });
    }
};

TEST_F(Lookup, EachSourceThatFailsHandsOnToTheNext)
{
    std::string musicBrainzBody = MusicBrainzDiscReply("another-disc", {{"X", "Y", "2000", "", {"1", "2", "3", "4"}}});
    int musicBrainzStatus = 200;
    LocalHttpServer musicBrainz([&](const HttpTestRequest&) {
        return HttpTestResponse{musicBrainzStatus, musicBrainzBody, "application/json"};
    });
    LocalHttpServer gnudb([&](const HttpTestRequest& request) {
        if (request.target.find("cddb+query+" + id.freedbId + "+3+150+225+375+7&") != std::string::npos)
            return HttpTestResponse{200, CddbQueryReply("rock", id.freedbId, "The Band / First Album")};
        if (request.target.find("cddb+read+rock+" + id.freedbId) != std::string::npos)
            return HttpTestResponse{200, CddbReadReply("rock", id.freedbId, kAlbum, "Rock")};
        return HttpTestResponse{500, "bad request"};
    });

    // MusicBrainz answers for another disc: gnudb's entry is taken.
    LookupResult r = Run(musicBrainz.Url(), gnudb.Url() + "/~cddb/cddb.cgi");
    ASSERT_EQ(r.matches.size(), 1u);
    EXPECT_EQ(r.matches[0].source, "gnudb");
    EXPECT_EQ(Titles(r.matches[0]), kAlbum.titles);
    EXPECT_EQ(r.matches[0].genre, "Rock");
    EXPECT_EQ(outcomes, (std::vector<std::string>{"No match on MusicBrainz", "Found on gnudb"}));
    const std::vector<HttpTestRequest> asked = musicBrainz.Requests();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].target, "/ws/2/discid/" + id.musicBrainzId + "?toc=1+3+525+150+225+375"
                               "&cdstubs=no&inc=recordings+artist-credits&fmt=json");
    EXPECT_EQ(asked[0].Header("User-Agent").rfind("Mervane/", 0), 0u);
    EXPECT_NE(gnudb.Requests().at(0).target.find("&hello=anonymous+localhost+Mervane"), std::string::npos)
        << "no user or host name leaves the machine";

    // MusicBrainz knows it; gnudb is not asked.
    musicBrainzBody = MusicBrainzDiscReply(id.musicBrainzId, {kAlbum});
    r = Run(musicBrainz.Url(), gnudb.Url() + "/~cddb/cddb.cgi");
    ASSERT_EQ(r.matches.size(), 1u);
    EXPECT_EQ(r.matches[0].source, "MusicBrainz");
    EXPECT_EQ(gnudb.Requests().size(), 2u);

    // An HTTP error and a reply larger than any disc's details end in "no match"; both
    // servers gone leaves the CD-Text, and nothing at all is "no details".
    musicBrainzStatus = 503;
    cdText.disc = {"Text Album", "Text Artist", "", ""};
    cdText.tracks[2] = {"Text Song", "Text Artist", "", ""};
    r = Run(musicBrainz.Url(), RefusingHttpUrl());
    ASSERT_EQ(r.matches.size(), 1u);
    EXPECT_EQ(r.matches[0].source, "CD-Text");
    EXPECT_EQ(outcomes.back(), "Using CD-Text");
    EXPECT_EQ(Titles(r.matches[0]), (std::vector<std::string>{"", "Text Song", ""}));
    musicBrainzStatus = 200;
    musicBrainzBody = std::string(5u << 20, ' ') + MusicBrainzDiscReply(id.musicBrainzId, {kAlbum});
    r = Run(musicBrainz.Url(), RefusingHttpUrl());
    EXPECT_EQ(outcomes.front(), "No match on MusicBrainz");
    r = Run(RefusingHttpUrl(), RefusingHttpUrl());
    EXPECT_EQ(outcomes.back(), "Offline: using CD-Text");
    cdText = {};
    r = Run(RefusingHttpUrl(), RefusingHttpUrl());
    EXPECT_TRUE(r.matches.empty());
    EXPECT_EQ(outcomes.back(), "No details found for this disc");

    // A confirmed disc comes from the cache without asking anyone.
    ASSERT_EQ(SaveCachedDisc(id.musicBrainzId, ParseXmcd(CddbReadReply("rock", "x", kAlbum, "Rock"), 3).value()), "");
    const std::size_t before = musicBrainz.Requests().size();
    r = Run(musicBrainz.Url(), gnudb.Url());
    EXPECT_TRUE(r.fromCache);
    EXPECT_EQ(outcomes, std::vector<std::string>{"Found in the cache"});
    EXPECT_EQ(musicBrainz.Requests().size(), before);
}

TEST(CdTextDetails, YearGenreComposerAndIsrcComeFromTheSheetsText)
{
    CdText text;
    text.disc.title = "Album";
    text.disc.performer = "Band";
    text.disc.songwriter = "Writer";
    text.date = "1999-05-01";
    text.genre = "(17)";
    text.catalog = "0724384960650";
    text.tracks[2].title = "Song";
    text.tracks[2].songwriter = "Guest Writer";
    text.tracks[2].isrc = "GBAAA9900002";
    std::optional<DiscDetails> d = DetailsFromCdText(text, 1, 3);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->year, 1999);
    EXPECT_EQ(d->genre, "Rock") << "an ID3v1 genre number becomes its name";
    EXPECT_EQ(d->catalog, "0724384960650");
    EXPECT_EQ(d->tracks[0].composer, "Writer") << "the disc's songwriter stands for every track's";
    EXPECT_EQ(d->tracks[1].composer, "Guest Writer");
    EXPECT_EQ(d->tracks[1].isrc, "GBAAA9900002");
    text.genre = "Hard Rock";
    text.date = "19995";
    d = DetailsFromCdText(text, 1, 3);
    EXPECT_EQ(d->genre, "Hard Rock");
    EXPECT_EQ(d->year, 0) << "no year in a date that starts with five digits";
}

// The release's front cover against a loopback Cover Art Archive: the redirect to the
// image is followed, a 404, a refused connection and a non-image give no picture and one
// line, and a cover once found comes from the cache with every server gone.
TEST(CoverArt, FetchedByReleaseIdKeptInTheCacheAndEveryFaultIsOneLine)
{
    IsolatedSettings isolated;
    DiscDetails release =
        ParseMusicBrainzReleases(MusicBrainzDiscReply("disc", {kAlbum}, true), "disc", 3).at(0);
    ASSERT_EQ(release.mbid, ReleaseMbid(0));
    ASSERT_TRUE(release.frontCover);
    const Bytes progressive = TestJpeg(1400, 1400, true);
    std::string body(progressive.begin(), progressive.end());
    int status = 200;
    LocalHttpServer images([&](const HttpTestRequest&) { return HttpTestResponse{status, body, "image/jpeg"}; });
    LocalHttpServer archive([&](const HttpTestRequest& r) {
        if (r.target == "/release/" + ReleaseMbid(0) + "/front-500")
            return HttpTestResponse{307, images.Url() + "/images/front.jpg"};
        return HttpTestResponse{404, "Not Found"};
    });
    LookupSettings s;
    s.coverArt = archive.Url();
    s.timeout = std::chrono::milliseconds(3000);
    std::atomic<bool> cancel{false};

    FoundCover found = FindCover("disc", release, s, cancel);
    ASSERT_TRUE(found.picture) << found.line;
    EXPECT_EQ(found.line, "Cover: found on the Cover Art Archive (1200x1200)");
    EXPECT_EQ(found.picture->mime, "image/jpeg");
    EXPECT_FALSE(HasProgressiveFrame(found.picture->bytes));
    EXPECT_EQ(images.Requests().at(0).target, "/images/front.jpg");
    EXPECT_EQ(archive.Requests().at(0).Header("User-Agent").rfind("Mervane/", 0), 0u);

    // The details from the cache bring the cover with every server gone.
    ASSERT_EQ(SaveCachedDisc("disc", release), "");
    const DiscDetails cached = LoadCachedDisc("disc", 3).value();
    EXPECT_EQ(cached.mbid, release.mbid);
    s.coverArt = RefusingHttpUrl();
    found = FindCover("disc", cached, s, cancel);
    ASSERT_TRUE(found.picture) << found.line;
    EXPECT_EQ(found.line, "Cover: from the cache");

    // Looked up afresh, a release whose cover cannot be had gets none, with the reason.
    found = FindCover("disc", release, s, cancel);
    EXPECT_FALSE(found.picture);
    EXPECT_EQ(found.line.rfind("Cover: the Cover Art Archive cannot be reached (", 0), 0u) << found.line;
    s.coverArt = archive.Url();
    body = "<html>not an image</html>";
    found = FindCover("disc", release, s, cancel);
    EXPECT_FALSE(found.picture);
    EXPECT_EQ(found.line, "Cover: the Cover Art Archive's file is unusable: not a picture");
    release.mbid = ReleaseMbid(1);
    found = FindCover("disc", release, s, cancel);
    EXPECT_FALSE(found.picture);
    EXPECT_EQ(found.line, "Cover: none on the Cover Art Archive (HTTP 404)");
    release.frontCover = false;
    EXPECT_EQ(FindCover("disc", release, s, cancel).line, "Cover: the release has no front cover on the Cover Art Archive");
    release.mbid = "../../etc/passwd";
    EXPECT_FALSE(FindCover("disc", release, s, cancel).picture) << "only a release ID ever leaves the machine";
    s.coverArt.clear();
    EXPECT_EQ(FindCover("disc", cached, s, cancel).line, "Cover: covers are off");
    EXPECT_EQ(archive.Requests().size(), 3u);
}

TEST_F(Lookup, ATitleOfMegabytesIsCutToATitlesLength)
{
    // gnudb's continuation lines join into one 3 MB title, inside the reply's size limit.
    std::string entry = CddbReadReply("rock", id.freedbId, kAlbum, "Rock");
    std::string lines;
    for (int i = 0; i < 50000; ++i)
        lines += "TTITLE1=" + std::string(60, 'x') + "\r\n";
    entry.insert(entry.find("TTITLE2="), lines);
    LocalHttpServer gnudb([&](const HttpTestRequest& r) {
        const bool read = r.target.find("cddb+read+") != std::string::npos;
        return HttpTestResponse{200, read ? entry : CddbQueryReply("rock", id.freedbId, "The Band / First Album")};
    });
    const LookupResult r = Run(RefusingHttpUrl(), gnudb.Url());
    ASSERT_EQ(r.matches.size(), 1u);
    EXPECT_EQ(r.matches[0].tracks.at(1).title, "Song" + std::string(1020, 'x'));
    EXPECT_EQ(r.matches[0].tracks.at(2).title, "Outro");
}

TEST_F(Lookup, DetailsWithoutAnyTitleAreNoMatchAndLeaveTheCdText)
{
    const ReleaseReply untitled{"The Band", "First Album", "1999", "GB", {"", " ", ""}};
    LocalHttpServer musicBrainz([&](const HttpTestRequest&) {
        return HttpTestResponse{200, MusicBrainzDiscReply(id.musicBrainzId, {untitled}), "application/json"};
    });
    LocalHttpServer gnudb([&](const HttpTestRequest& r) {
        const bool read = r.target.find("cddb+read+") != std::string::npos;
        return HttpTestResponse{200, read ? CddbReadReply("rock", id.freedbId, untitled, "Rock")
                                          : CddbQueryReply("rock", id.freedbId, "The Band / First Album")};
    });
    cdText.tracks[2] = {"Text Song", "Text Artist", "", ""};
    LookupResult r = Run(musicBrainz.Url(), gnudb.Url());
    EXPECT_EQ(outcomes, (std::vector<std::string>{"No match on MusicBrainz", "No match on gnudb", "Using CD-Text"}));
    ASSERT_EQ(r.matches.size(), 1u);
    EXPECT_EQ(Titles(r.matches[0]), (std::vector<std::string>{"", "Text Song", ""}));

    // A cache entry that names no track does not stand in the way either.
    DiscDetails cached = ParseMusicBrainzReleases(MusicBrainzDiscReply("x", {untitled}), "x", 3).at(0);
    ASSERT_EQ(SaveCachedDisc(id.musicBrainzId, cached), "");
    r = Run(RefusingHttpUrl(), RefusingHttpUrl());
    EXPECT_EQ(outcomes.back(), "Offline: using CD-Text");
    EXPECT_FALSE(r.fromCache);
}

TEST_F(Lookup, OneDeadlineEndsTheWholeLookupHoweverManyRequestsStall)
{
    // MusicBrainz sends the client round in circles; gnudb lists five matches, and every
    // read of one stalls after its headers.
    LocalHttpServer musicBrainz([](const HttpTestRequest& r) { return RedirectTo(r.target); });
    LocalHttpServer gnudb([&](const HttpTestRequest& r) {
        if (r.target.find("cddb+read+") != std::string::npos) {
            HttpTestResponse stalled;
            stalled.stallAfterHeaders = true;
            return stalled;
        }
        std::string list = "211 Found inexact matches, list follows (until terminating `.')\r\n";
        for (int i = 0; i < 5; ++i)
            list += "rock 0a00050" + std::to_string(i) + " The Band / Take " + std::to_string(i) + "\r\n";
        return HttpTestResponse{200, list + ".\r\n"};
    });
    cdText.tracks[1] = {"Text Intro", "", "", ""};
    timeout = std::chrono::milliseconds(1000);
    deadline = std::chrono::milliseconds(1800);
    const LookupResult r = Run(musicBrainz.Url(), gnudb.Url());
    EXPECT_EQ(outcomes, (std::vector<std::string>{"No match on MusicBrainz", "No match on gnudb", "Using CD-Text"}));
    ASSERT_EQ(r.matches.size(), 1u);
    const std::vector<HttpTestRequest> asked = gnudb.Requests();
    ASSERT_GE(asked.size(), 1u);
    // The query and two reads fit; a third may start in the last milliseconds, never more.
    EXPECT_LE(asked.size(), 4u) << "no read starts once the lookup's time is up";
}
