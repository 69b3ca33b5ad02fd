// The CD road through both doors: the wizard's last CD page and `mervane-cli cd` rip the same
// BIN/CUE image against loopback MusicBrainz and AccurateRip servers; the files, tags, logs
// and verdicts must agree. TagLib reads the tags.
#include "app/WizardFixture.h"
#include "disc/AccurateRip.h"
#include "platform/os/ProfileFile.h"
#include "platform/os/Translations.h"
#include "support/AudioOracles.h"
#include "support/CdImage.h"
#include "support/DiscReplies.h"
#include "support/LocalHttpServer.h"
#include "support/WaveFixtures.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QRadioButton>
#include <QTimer>
#include "support/QtPrinters.h"
#include <filesystem>
#include <map>
#include <regex>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/tpropertymap.h>

namespace fs = std::filesystem;

namespace {
const std::vector<std::string> kTitles = {"Intro", "Song", "Outro"};

std::string Text(const Bytes& b)
{
    return std::string(b.begin(), b.end());
}

void PutLe32(std::string& to, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        to += char(v >> (8 * i));
}

class CdDoors : public WizardTest {
protected:
    void BeforeWizard() override
    {
        UseFastSoftwareCard();
        ProfileFile ini = ProfileFile::Settings();
        ini.WriteString("SOUNDCARD_SETUP", "CdDevice", Input("disc.cue"));
        ini.WriteString("CD", "AccurateRip", RefusingHttpUrl());
        ini.WriteInteger("ENCODER", "Jobs", 2);
        // Plain MP3 files, whose ID3v2 tag TagLib reads.
        ini.WriteString("ENCODER", "Container", "mp3");
        image = WriteCdImage(settings.Folder().Path(), "disc", {{true, 40, 441}, {true, 30, 630}, {true, 25, 1050}});
    }

    // The wizard rips `tracks` into `folder` and answers the details question with `yes`.
    void RipInWizard(const std::vector<int>& tracks, const std::string& folder, bool yes,
                     const std::function<void()>& onEachTurn = {})
    {
        fs::create_directories(folder);
        Click("IEButton3");
        Click("SelSourceNext");
        ASSERT_TRUE(RunEventsUntil([&] { return !state.discLookupRunning; }));
        for (int t : tracks)
            Find<QListWidget>("selCDTracks")->item(t - 1)->setCheckState(Qt::Checked);
        Click("selCDNext");
        QWidget* rip = Find("SelCDrecRip");
        QTest::mouseClick(rip, Qt::LeftButton, Qt::NoModifier, QPoint(8, rip->height() / 2));
        Click("SelCDrecNext");
        dialogs->folderAnswers.push_back(folder);
        Click("CDoptionsBrowse");
        Activate();
        Click("CDoptionsNext");
        ASSERT_EQ(CurrentPageName(), "CDtagsel");
        Click(yes ? "CDtagselYes" : "CDtagselNo");
        QTimer watch;
        if (onEachTurn) {
            QObject::connect(&watch, &QTimer::timeout, onEachTurn);
            watch.start(0);
        }
        Click("CDtagselNext");
        ASSERT_TRUE(RunEventsUntil([&] { return Find("RecEncCDFinish")->isEnabled(); }));
    }

    struct CliRun {
        int status = -1;
        std::string out, err;
    };
    // With `lang`, the program runs with LANG set to it (and nothing overriding it).
    CliRun RunCli(const QStringList& args, const char* lang = nullptr)
    {
        QProcess p;
        if (lang) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
                env.remove(name);
            env.insert("LANG", lang);
            p.setProcessEnvironment(env);
        }
        p.start(MERVANE_CLI_PROGRAM, args);
        EXPECT_TRUE(p.waitForFinished(-1));
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput().toStdString(),
                p.readAllStandardError().toStdString()};
    }

    // A database that knows track 1 by its v2 sum, lists track 2 wrongly and track 3 not.
    std::string Dbar()
    {
        std::map<int, AccurateRipReference> reference;
        for (const int n : {1, 2}) {
            const std::string wave = Input(("reference" + std::to_string(n) + ".wav").c_str());
            WritePcmWave(wave, 16, 2, 44100, image.TrackBytes(n));
            const auto sums = WhipperAccurateRip(wave, n, 3);
            EXPECT_TRUE(sums) << "accuraterip-checksum (whipper) did not run";
            reference[n] = sums.value_or(AccurateRipReference{});
        }
        disc = AccurateRipIds({{1, image.firstSector[0], true}, {2, image.firstSector[1], true},
                               {3, image.firstSector[2], true}},
                              image.firstSector[2] + 25);
        std::string dbar(1, char(3));
        for (const std::uint32_t v : {disc.id1, disc.id2, disc.cddb})
            PutLe32(dbar, v);
        for (const auto& [confidence, sum] : std::vector<std::pair<int, std::uint32_t>>{
                 {9, reference[1].v2}, {4, reference[2].v1 ^ 1}, {0, 0}}) {
            dbar += char(confidence);
            PutLe32(dbar, sum);
            PutLe32(dbar, 0);
        }
        return dbar;
    }

    CdImage image;
    AccurateRipDiscId disc;
};

std::string Tag(const std::string& mp3, const char* key)
{
    TagLib::MPEG::File file(mp3.c_str());
    if (!file.isValid() || !file.hasID3v2Tag())
        return "<no tag>";
    return file.ID3v2Tag()->properties()[key].toString().to8Bit(true);
}

// The log without its date and with the folder of the files left out.
std::string Comparable(std::string log, const std::string& folder)
{
    log = std::regex_replace(log, std::regex("Date: [^\n]*\n"), "");
    for (std::size_t at; (at = log.find(folder)) != std::string::npos;)
        log.erase(at, folder.size());
    return log;
}
}  // namespace

TEST_F(CdDoors, TheCommandLineNamesTagsVerifiesAndLogsTheDiscAsTheWizardDoesByteForByte)
{
    const std::string dbar = Dbar();
    LocalHttpServer accurateRip([&](const HttpTestRequest& r) {
        return HttpTestResponse{r.target.find(disc.FileName()) == std::string::npos ? 404 : 200, dbar,
                                "application/octet-stream"};
    });
    LocalHttpServer musicBrainz([](const HttpTestRequest& r) {
        const ReleaseReply found{"The Band", "First Album", "1999-03-01", "GB", kTitles};
        return HttpTestResponse{200, MusicBrainzDiscReply(RequestedDiscId(r.target), {found}), "application/json"};
    });
    ProfileFile ini = ProfileFile::Settings();
    ini.WriteString("CD", "AccurateRip", accurateRip.Url() + "/accuraterip");
    ini.WriteInteger("CD", "CueSheet", 1);
    ini.WriteString("METADATA", "Lookup", "1");
    ini.WriteString("METADATA", "MusicBrainz", musicBrainz.Url());
    ini.WriteString("METADATA", "Gnudb", RefusingHttpUrl());
    ini.WriteString("METADATA", "FileNames", "%N - %t");

    // "No" on the details question: the found details still tag the files they name.
    RipInWizard({1, 2, 3}, Input("wizard/"), false);
    EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();
    const std::string song = Input("wizard/02 - Song.mp3");
    EXPECT_EQ(Tag(song, "TITLE"), "Song");
    EXPECT_EQ(Tag(song, "ARTIST"), "The Band");
    EXPECT_EQ(Tag(song, "ALBUM"), "First Album");
    // The last page keeps every track's result after the run, the failed verification first.
    auto* results = Find<QListWidget>("RecEncCDResults");
    ASSERT_GE(results->count(), 4);
    EXPECT_TRUE(results->item(0)->text().contains("Track 2: ")) << results->item(0)->text().toStdString();
    EXPECT_TRUE(results->item(0)->text().contains("not accurate (4 other rips disagree)")) << results->item(0)->text().toStdString();
    EXPECT_TRUE(results->item(results->count() - 1)->text().startsWith("3 tracks: 3 written"))
        << results->item(results->count() - 1)->text().toStdString();

    const CliRun run = RunCli({"cd", "--json", "-o", QString::fromStdString(Input("cli"))});
    ASSERT_EQ(run.status, 0) << run.err;
    for (const std::string& title : kTitles) {
        const std::string name = "0" + std::to_string(&title - &kTitles[0] + 1) + " - " + title + ".mp3";
        ASSERT_TRUE(fs::exists(Input("cli/") + name)) << name << "\n" << run.err;
        EXPECT_TRUE(ReadBytes(Input("cli/") + name) == ReadBytes(Input("wizard/") + name)) << name << " differs";
    }
    EXPECT_EQ(Comparable(Text(ReadBytes(Input("cli/First Album.log"))), Input("cli/")),
              Comparable(Text(ReadBytes(Input("wizard/First Album.log"))), Input("wizard/")));
    const std::string log = Text(ReadBytes(Input("cli/First Album.log")));
    EXPECT_NE(log.find("AccurateRip: Accurately ripped (confidence 9)"), std::string::npos) << log;
    EXPECT_NE(log.find("AccurateRip: Not accurate (4 other rips disagree)"), std::string::npos) << log;
    EXPECT_TRUE(ReadBytes(Input("cli/First Album.cue")) == ReadBytes(Input("wizard/First Album.cue")));

    std::map<int, QJsonObject> verdicts;
    std::size_t at = 0;
    for (std::size_t end; (end = run.out.find('\n', at)) != std::string::npos; at = end + 1) {
        const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(run.out.substr(at, end - at))).object();
        verdicts[o["track"].toInt()] = o["accuraterip"].toObject();
    }
    ASSERT_EQ(verdicts.size(), 3u) << run.out;
    EXPECT_EQ(verdicts[1]["verdict"].toString(), "accurate");
    EXPECT_EQ(verdicts[1]["confidence"].toInt(), 9);
    EXPECT_EQ(verdicts[2]["verdict"].toString(), "not accurate");
    EXPECT_EQ(verdicts[2]["others"].toInt(), 4);
    EXPECT_NE(run.err.find("not accurate"), std::string::npos) << "the summary names the verdict\n" << run.err;
}

TEST_F(CdDoors, ServersThatFailStopNoRipOfTheCommandLine)
{
    ProfileFile ini = ProfileFile::Settings();
    ini.WriteString("METADATA", "Lookup", "1");
    ini.WriteString("METADATA", "MusicBrainz", RefusingHttpUrl());
    ini.WriteString("METADATA", "Gnudb", RefusingHttpUrl());
    const CliRun run = RunCli({"cd", "--tracks", "2", "--json", "-o", QString::fromStdString(Input("cli"))});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(DecodeMp3File(Input("cli/Track2.mp3"), true).Frames(), long(image.TrackSamples(2).size()) / 2);
    EXPECT_NE(run.out.find(R"("verdict":"not checked")"), std::string::npos) << run.out;
    EXPECT_NE(Text(ReadBytes(Input("cli/Rip.log"))).find("could not be reached"), std::string::npos);
}

TEST_F(CdDoors, TheCommandLineSplitsAWindowsFlacAlbumImageIntoTracksNamedAndTaggedFromItsSheet)
{
    ProfileFile ini = ProfileFile::Settings();
    // Offline, so the sheet's own text names and tags the tracks.
    ini.WriteString("METADATA", "Lookup", "0");
    ini.WriteString("METADATA", "FileNames", "%N - %t");
    for (const std::string& fileLine : {std::string("Artist - Album.flac"), std::string("C:\\Music\\Rips\\ARTIST - ALBUM.FLAC")}) {
        SCOPED_TRACE(fileLine);
        const std::string folder = Input(fileLine.starts_with("C:") ? "windows" : "plain");
        fs::create_directories(folder);
        const WindowsAlbumImage album = WriteWindowsAlbumImage(folder, "album.cue", fileLine);
        const std::string out = folder + "/mp3/";
        const CliRun run = RunCli({"cd", "--device", QString::fromStdString(album.cue), "-o", QString::fromStdString(out)});
        ASSERT_EQ(run.status, 0) << run.err;
        for (int n = 1; n <= 3; ++n) {
            SCOPED_TRACE("track " + std::to_string(n));
            const std::size_t i = std::size_t(n - 1);
            const std::string path = out + "0" + std::to_string(n) + " - " + album.titles[i] + ".mp3";
            ASSERT_TRUE(fs::exists(path)) << run.err;
            // Exactly the track, the next one's INDEX 00 gap included.
            EXPECT_EQ(DecodeMp3File(path, true).Frames(), long(album.tones.TrackSamples(n).size()) / 2);
            EXPECT_EQ(Tag(path, "TITLE"), album.titles[i]);
            EXPECT_EQ(Tag(path, "ARTIST"), "The Band");
            EXPECT_EQ(Tag(path, "ALBUM"), "First Album");
            EXPECT_EQ(Tag(path, "DATE"), "1999");
            EXPECT_EQ(Tag(path, "GENRE"), "Rock");
            EXPECT_EQ(Tag(path, "COMPOSER"), album.composers[i]);
            EXPECT_EQ(Tag(path, "ISRC"), album.isrcs[i]);
        }
    }
}

TEST_F(CdDoors, ALogAfterCancelNamesOnlyFilesThatExist)
{
    image = WriteCdImage(settings.Folder().Path(), "disc", {{true, 750, 441}, {true, 750, 630}, {true, 750, 1050}});
    RipInWizard({1, 2, 3}, Input("out/"), false, [&] {
        // Cancel as soon as an encoder has begun its file.
        if (!state.cancel.load() && state.encodingInProgress)
            Click("RecEncCDCancel");
    });
    ASSERT_TRUE(state.cancel.load());
    const std::string log = Text(ReadBytes(Input("out/Rip.log")));
    std::size_t files = 0;
    for (std::size_t at = 0; (at = log.find("  File: ", at)) != std::string::npos; ++files) {
        at += 8;
        const std::string file = log.substr(at, log.find('\n', at) - at);
        EXPECT_TRUE(fs::exists(file)) << file << " is logged but gone";
    }
    if (files == 0) {
        EXPECT_NE(log.find("No track was ripped\n"), std::string::npos) << log;
    }
    EXPECT_EQ(log.find("Not accurately ripped:\n"), std::string::npos) << log;
}

TEST_F(CdDoors, InGermanBothDoorsSayTheVerdictsAndTheSummaryInGermanWhileTheLogAndJsonStayEnglish)
{
    const std::string dbar = Dbar();
    LocalHttpServer accurateRip([&](const HttpTestRequest& r) {
        return HttpTestResponse{r.target.find(disc.FileName()) == std::string::npos ? 404 : 200, dbar,
                                "application/octet-stream"};
    });
    ProfileFile ini = ProfileFile::Settings();
    ini.WriteString("CD", "AccurateRip", accurateRip.Url() + "/accuraterip");
    ini.WriteString("METADATA", "Lookup", "0");
    struct ForgetLanguage {
        ~ForgetLanguage() { RemoveTranslations(); }
    } forget;
    ASSERT_EQ(InstallTranslations(QLocale("de_DE")), "de");

    RipInWizard({1, 2}, Input("wizard/"), false);
    EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();
    auto* results = Find<QListWidget>("RecEncCDResults");
    ASSERT_GE(results->count(), 3);
    EXPECT_TRUE(results->item(0)->text().contains("Titel 2: ")) << results->item(0)->text().toStdString();
    EXPECT_TRUE(results->item(0)->text().contains("nicht korrekt (4 andere Auslesungen weichen ab)"))
        << results->item(0)->text().toStdString();
    EXPECT_EQ(results->item(results->count() - 1)->text(), "2 Titel: 2 geschrieben, 1 korrekt ausgelesen, 1 nicht korrekt");
    // The log is read by other tools: its verdicts stay English.
    const std::string log = Text(ReadBytes(Input("wizard/Rip.log")));
    EXPECT_NE(log.find("AccurateRip: Not accurate (4 other rips disagree)"), std::string::npos) << log;

    const CliRun run = RunCli({"cd", "--tracks", "1,2", "--json", "-o", QString::fromStdString(Input("cli"))}, "de_DE.UTF-8");
    ASSERT_EQ(run.status, 0) << run.err;
    // The closing lines come after the lookup's answer, whenever it arrives.
    EXPECT_NE(run.err.find("Titel 1: " + Input("cli/Track1.mp3") + ", korrekt\n"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Titel 2: " + Input("cli/Track2.mp3") + ", nicht korrekt\n"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("\n2 Titel: 2 geschrieben, 1 korrekt ausgelesen, 1 nicht korrekt\n"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find(R"("verdict":"not accurate")"), std::string::npos) << run.out;
    EXPECT_NE(Text(ReadBytes(Input("cli/Rip.log"))).find("AccurateRip: Accurately ripped (confidence 9)"), std::string::npos);
}
