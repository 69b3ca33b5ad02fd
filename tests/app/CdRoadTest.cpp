// The audio-CD road through the wizard's own widgets: a BIN/CUE image written by the test
// stands for the disc (CdDevice), the checked tracks are extracted (rip mode) or played
// through the card's CD line and recorded (record mode, Clock=fast), then encoded into
// "Track<n>.mp3"; libmpg123 decodes the files and TagLib reads their tags.
#include "app/WizardFixture.h"
#include "controls/MMEGauge.h"
#include "disc/AccurateRip.h"
#include "platform/cd/CDDA.h"
#include "platform/cd/CdDisc.h"
#include "platform/cd/CdPlayback.h"
#include "platform/os/MessageTarget.h"
#include "platform/os/ProfileFile.h"
#include "support/AudioOracles.h"
#include "support/CdImage.h"
#include "support/CoverFixtures.h"
#include "support/DiscReplies.h"
#include "support/LocalHttpServer.h"
#include "support/SmallDisk.h"
#include "support/Spectrum.h"
#include "support/WaveFixtures.h"

#include <QLabel>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <sndfile.h>
#include <taglib/id3v1tag.h>
#include <taglib/id3v2tag.h>
#include <taglib/tpropertymap.h>
#include <taglib/mpegfile.h>
#include <taglib/wavfile.h>
#include <thread>

namespace {
constexpr int kRate = 44100;

// A second of 441 Hz, then two seconds each of 630 Hz and 1050 Hz (the right channel a
// fifth above).
const std::vector<CdImageTrack> kThreeTracks = {{true, 75, 441}, {true, 150, 630}, {true, 150, 1050}};

class CdRoad : public WizardTest {
protected:
    void BeforeWizard() override
    {
        UseFastSoftwareCard();
        ProfileFile::Settings().WriteString("SOUNDCARD_SETUP", "CdDevice", Input("disc.cue"));
        // No run asks the real AccurateRip database.
        ProfileFile::Settings().WriteString("CD", "AccurateRip", RefusingHttpUrl());
        // Two encoders take the ripped tracks, whatever the machine's cores; a test of the
        // one-encoder run says so.
        ProfileFile::Settings().WriteInteger("ENCODER", "Jobs", 2);
        std::filesystem::create_directory(Out(""));
    }
    // The run encodes with `jobs` encoders from the next wizard on.
    void UseJobs(int jobs)
    {
        ProfileFile::Settings().WriteInteger("ENCODER", "Jobs", jobs);
        RestartWizard();
    }
    void TearDown() override
    {
        CddaLibrary().OnSector = nullptr;
        WizardTest::TearDown();
    }

    CdImage WriteDisc(const std::vector<CdImageTrack>& tracks)
    {
        return WriteCdImage(settings.Folder().Path(), "disc", tracks);
    }
    // The folder the MP3 files go to.
    std::string Out(const std::string& name) { return Input("out/") + name; }

    // From the source page to CDtagsel with `tracks` checked and the method chosen;
    // `onMethodPage` acts on SelCDrec before its Next. With `whileLookingUp`, the tracks
    // are checked and Next clicked at once, and whileLookingUp acts on selCD after that.
    void WalkToDetailsChoice(const std::vector<int>& tracks, bool rip, const std::function<void()>& onMethodPage = {},
                             const std::function<void()>& whileLookingUp = {})
    {
        ASSERT_TRUE(Find("IEButton3")->isEnabled());
        Click("IEButton3");
        Click("SelSourceNext");
        ASSERT_EQ(CurrentPageName(), "selCD");
        if (!whileLookingUp) {
            ASSERT_TRUE(RunEventsUntil([&] { return !state.discLookupRunning; }));
            ExpectPageNamed();
        }
        auto* list = Find<QListWidget>("selCDTracks");
        for (int t : tracks)
            list->item(t - 1)->setCheckState(Qt::Checked);
        Click("selCDNext");
        if (whileLookingUp)
            whileLookingUp();
        ASSERT_EQ(CurrentPageName(), "SelCDrec");
        ExpectPageNamed();
        if (rip) {
            // On the button's own text, which does not fill its width.
            QWidget* button = Find("SelCDrecRip");
            QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(8, button->height() / 2));
            ASSERT_TRUE(Find<QRadioButton>("SelCDrecRip")->isChecked());
        }
        if (onMethodPage)
            onMethodPage();
        Click("SelCDrecNext");
        ASSERT_EQ(CurrentPageName(), "CDoptions");
        dialogs->folderAnswers.push_back(Out(""));
        Click("CDoptionsBrowse");
        Activate();
        EXPECT_EQ(Find<QLineEdit>("CDoptionsFolder")->text().toStdString() + "/", Out(""));
        ExpectPageNamed();
        Click("CDoptionsNext");
        ASSERT_EQ(CurrentPageName(), "CDtagsel");
        ExpectPageNamed();
    }

    // Watches the run on every turn of the event loop (the run happens inside the click
    // that enters RecEncCD): the titles shown, each extracted wave file as its encoding
    // starts or waits, the loudest meter reading, and an optional action.
    void Watch(std::function<void()> action = {})
    {
        watcher_ = std::make_unique<QTimer>();
        watcher_->setInterval(0);
        QObject::connect(watcher_.get(), &QTimer::timeout, [this, action] {
            const std::string title = form1->findChild<QLabel*>("RecEncCDHeading")->text().toStdString();
            if (title.find(" of ") != std::string::npos && (titles.empty() || titles.back() != title))
                titles.push_back(title);
            if (state.encodingInProgress && !extracted.count(state.currentTrack) &&
                std::filesystem::exists(settings.TemporaryWave()))
                extracted[state.currentTrack] = ReadBytes(settings.TemporaryWave());
            // With several encoders each extracted track waits in a hidden file of its own.
            for (const auto& entry : std::filesystem::directory_iterator(settings.Folder().File("program"))) {
                int track = -1;
                if (std::sscanf(entry.path().filename().c_str(), ".mp3tmp-%d.wav", &track) == 1 && !extracted.count(track))
                    extracted[track] = ReadBytes(entry.path().string());
            }
            loudestMeter = std::max(loudestMeter, form1->findChild<TMMLEDGauge*>("MMLEDGauge8")->Progress());
            if (action)
                action();
        });
        watcher_->start();
    }

    // The file of track n decodes to the image's tone; with `exact`, sample for sample
    // (behind the codec's delay) and with the track's length plus that delay.
    void ExpectTrackMp3(const CdImage& image, int n, bool exact)
    {
        SCOPED_TRACE("track " + std::to_string(n));
        const std::string path = Out("Track" + std::to_string(n) + ".mp3");
        ASSERT_TRUE(std::filesystem::exists(path));
        const DecodedMp3 d = DecodeMp3File(path);
        ASSERT_EQ(d.rate, kRate);
        ASSERT_EQ(d.channels, 2);
        const std::vector<std::int16_t> pcm = image.TrackSamples(n);
        const long frames = static_cast<long>(pcm.size()) / 2;
        const double f = image.tracks[std::size_t(n - image.firstNumber)].frequency;
        EXPECT_NEAR(StrongestFrequency(d.pcm, 2, 0, kRate, kRate / 5, 32768), f, f * 0.02);
        if (exact) {
            EXPECT_GE(d.Frames(), frames + kMp3CodecDelay);
            EXPECT_LT(d.Frames(), frames + kMp3CodecDelay + 2 * kMp3FrameSamples);
            EXPECT_GT(AlignedSnr(pcm, d, 2, 0, frames, kMp3CodecDelay), 20.0);
        } else {
            EXPECT_GE(d.Frames(), frames);
        }
    }

    std::vector<std::string> titles;
    std::map<int, Bytes> extracted;
    int loudestMeter = 0;

private:
    std::unique_ptr<QTimer> watcher_;
};

bool Copyrighted(const std::string& mp3)
{
    Bytes frames = RiffChunk(ReadBytes(mp3), "data");
    const auto headers = Mp3Frames(frames);
    return !headers.empty() &&
           std::all_of(headers.begin(), headers.end(), [](const Mp3Header& h) { return h.copyright; });
}

// The names of the files in a folder that start with a dot or end in `suffix`.
std::vector<std::string> HiddenOr(const std::string& folder, const std::string& suffix)
{
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.front() == '.' || (name.size() >= suffix.size() && name.ends_with(suffix)))
            found.push_back(name);
    }
    return found;
}

std::string Title(const std::string& mp3)
{
    TagLib::MPEG::File file(mp3.c_str(), false);
    if (!file.isValid() || !file.hasID3v1Tag())
        return "<no tag>";
    return file.ID3v1Tag()->title().to8Bit(true);
}
}  // namespace

TEST_F(CdRoad, MissingDiscIsReportedAndNewCdListsTheDiscOnceItIsThere)
{
    Click("IEButton3");
    Click("SelSourceNext");
    ASSERT_EQ(CurrentPageName(), "selCD");
    ASSERT_EQ(dialogs->messages.size(), 1u) << "one report for one failed open";
    EXPECT_EQ(dialogs->messages[0].substr(0, 24), "Unable to open CD player");
    auto* list = Find<QListWidget>("selCDTracks");
    EXPECT_EQ(list->count(), 0);
    Click("selCDNext");
    EXPECT_EQ(dialogs->messages.back(), "No tracks selected for encoding");
    EXPECT_EQ(CurrentPageName(), "selCD");

    // 185 500 ms to the nearest sector.
    WriteDisc({{true, 75, 441}, {false, 300}, {true, 13913, 441}});
    Click("selCDNewCD");
    EXPECT_EQ(dialogs->messages.size(), 2u);
    EXPECT_EQ(Find<QLabel>("selCDInfo")->text(), "This CD contains 3 tracks");
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), "Track1         0 min. 1 sec.");
    EXPECT_EQ(list->item(1)->text(), "Track2         0 min. 4 sec. (data)");
    EXPECT_EQ(list->item(2)->text(), "Track3         3 min. 5 sec.");
    Click("selCDSelectAll");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(list->item(i)->checkState(), i == 1 ? Qt::Unchecked : Qt::Checked) << "a data track is no audio to select";
    Click("selCDClear");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(list->item(i)->checkState(), Qt::Unchecked);
    list->item(1)->setCheckState(Qt::Checked);
    Click("selCDNext");
    EXPECT_EQ(CurrentPageName(), "SelCDrec");
    EXPECT_EQ(state.selectedTrackCount, 1);
}

TEST_F(CdRoad, RipModeWritesEachCheckedTrackWithItsOwnDetails)
{
    UseJobs(1);  // the extracted file is encoded where it was extracted
    const CdImage image = WriteDisc(kThreeTracks);
    WriteBytes(Out("Track3.mp3"), {'o', 'l', 'd'});
    WriteBytes(Out("Track1.mp3"), {'o', 'l', 'd'});  // not checked: not replaced, not asked about
    WalkToDetailsChoice({2, 3}, true);
    EXPECT_EQ(dialogs->questions, std::vector<std::string>{"Replace these files?\n" + Out("Track3.mp3")})
        << "one question before the first track";
    Click("CDtagselYes");
    Click("CDtagselNext");
    ASSERT_EQ(CurrentPageName(), "Multitag");
    ExpectPageNamed();
    Find<QLineEdit>("MultitagTitle")->setText("Second");
    Click("MultitagNext");
    Find<QLineEdit>("MultitagTitle")->setText("Third");
    Click("MultitagCopyright");
    Watch();
    Click("MultitagNext");  // enters RecEncCD: the whole run happens here
    ASSERT_TRUE(RunEventsUntil([&] { return Find("RecEncCDFinish")->isEnabled(); }));

    EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();
    ExpectPageNamed();
    EXPECT_EQ(Find<QLabel>("RecEncCDProgressLabel")->text(), "Extraction progress");
    EXPECT_FALSE(Find("MMSlider8")->isVisible());
    EXPECT_FALSE(Find("MMLEDGauge8")->isVisible());
    EXPECT_FALSE(Find("RecEncCDCancel")->isEnabled());
    EXPECT_EQ(Find<QProgressBar>("MMGauge5")->value(), 100);
    const std::vector<std::string> counted = {"Encoding AUDIO CD file 1 of 2", "Encoding AUDIO CD file 2 of 2"};
    EXPECT_EQ(titles, counted);
    EXPECT_EQ(ReadBytes(Out("Track1.mp3")), Bytes({'o', 'l', 'd'}));
    EXPECT_FALSE(std::filesystem::exists(settings.TemporaryWave()));
    for (int n : {2, 3}) {
        ASSERT_TRUE(extracted.count(n)) << "track " << n;
        EXPECT_TRUE(RiffChunk(extracted[n], "data") == image.TrackBytes(n)) << "track " << n;
        ExpectTrackMp3(image, n, true);
    }
    EXPECT_EQ(Title(Out("Track2.mp3")), "Second");
    EXPECT_EQ(Title(Out("Track3.mp3")), "Third");
    EXPECT_FALSE(Copyrighted(Out("Track2.mp3")));
    EXPECT_TRUE(Copyrighted(Out("Track3.mp3")));

    // The next run remembers the method and opens the folder dialog in the folder used.
    RestartWizard();
    EXPECT_TRUE(Find<QRadioButton>("SelCDrecRip")->isChecked());
    form1->MoveTo(Find("CDoptions"));
    EXPECT_EQ(Find<QLineEdit>("CDoptionsFolder")->text().toStdString() + "/", Out(""));
    EXPECT_TRUE(Find("CDoptionsNext")->isEnabled());
    Click("CDoptionsBrowse");
    ASSERT_FALSE(dialogs->folderRequests.empty());
    EXPECT_EQ(dialogs->folderRequests.back() + "/", Out(""));
}

TEST_F(CdRoad, RecordModePlaysAndRecordsTheSameTracksWithMetersMovingThenDark)
{
    const CdImage image = WriteDisc(kThreeTracks);
    WalkToDetailsChoice({2, 3}, false);
    // The meters follow every turn of the event loop, so the fast recording is seen on them;
    // once lit, they are held: no further tick lets them fall, so only the end of the
    // recording can darken them.
    auto* meterTimer = Find<QTimer>("Timer5");
    meterTimer->setInterval(0);
    Watch([&] {
        if (loudestMeter > 0 && meterTimer->interval() == 0)
            meterTimer->setInterval(24 * 3600 * 1000);
    });
    Click("CDtagselNext");
    ASSERT_TRUE(RunEventsUntil([&] { return Find("RecEncCDFinish")->isEnabled(); }));

    EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();
    EXPECT_EQ(Find<QLabel>("RecEncCDProgressLabel")->text(), "Recording progress");
    EXPECT_TRUE(Find("MMSlider8")->isVisible());
    EXPECT_GT(loudestMeter, 0) << "the meters never moved";
    EXPECT_EQ(Find<TMMLEDGauge>("MMLEDGauge7")->Progress(), 0) << "a meter stayed lit after the recording";
    EXPECT_EQ(Find<TMMLEDGauge>("MMLEDGauge8")->Progress(), 0) << "a meter stayed lit after the recording";
    EXPECT_FALSE(meterTimer->isActive());
    EXPECT_EQ(Find<QProgressBar>("MMGauge6")->value(), 100);
    const std::vector<std::string> counted = {"Encoding AUDIO CD file 1 of 2", "Encoding AUDIO CD file 2 of 2"};
    EXPECT_EQ(titles, counted);
    for (int n : {2, 3}) {
        ExpectTrackMp3(image, n, false);
        EXPECT_EQ(Title(Out("Track" + std::to_string(n) + ".mp3")), "<no tag>") << "no details, no tag";
    }
    Click("RecEncCDFinish");
    EXPECT_TRUE(closedSignal);
    EXPECT_EQ(ProfileFile::Settings().ReadInteger("RECORD_LEVEL", "CD", 0), kDefaultRecordLevel);
}

TEST_F(CdRoad, CancelDuringAnExtractionStopsItAndStartsNoFurtherTrack)
{
    WriteDisc(kThreeTracks);
    // The extraction of track 2 holds halfway until the user has been asked to wait for
    // it, so the test sees it running and Cancel finds it still busy.
    std::atomic<bool> held{false}, askedToWait{false};
    CddaLibrary().OnSector = [&](int done, int total) {
        // Extracting thread.
        if (done != total / 2)
            return;
        held.store(true);
        for (int i = 0; i < 60000 && !askedToWait.load(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    };
    bool cancelledWhileHeld = false;
    WalkToDetailsChoice({2, 3}, true);
    dialogs->onDialog = [&] { askedToWait.store(true); };
    Watch([&] {
        // Once the progress tick shows the halfway mark of the held extraction: Cancel.
        if (held.load() && !state.cancel.load() && Find<QProgressBar>("MMGauge6")->value() == 50) {
            cancelledWhileHeld = true;
            Click("RecEncCDCancel");
        }
    });
    Click("CDtagselNext");
    ASSERT_TRUE(RunEventsUntil([&] { return Find("RecEncCDFinish")->isEnabled(); }));

    EXPECT_TRUE(cancelledWhileHeld) << "the extraction ran to its end without showing its progress";
    EXPECT_EQ(dialogs->messages, std::vector<std::string>{"Unable to halt ripper.. please wait"});
    EXPECT_TRUE(Find("RecEncCDAborted")->isVisible());
    EXPECT_EQ(Find<QLabel>("RecEncCDAborted")->text(), "....ABORTED");
    EXPECT_FALSE(Find("RecEncCDCancel")->isEnabled());
    EXPECT_EQ(titles.back(), "Encoding AUDIO CD file 1 of 2") << "no second track was started";
    EXPECT_FALSE(state.encodingInProgress);
    EXPECT_FALSE(std::filesystem::exists(Out("Track2.mp3")));
    EXPECT_FALSE(std::filesystem::exists(Out("Track3.mp3")));
    EXPECT_FALSE(std::filesystem::exists(settings.TemporaryWave()));
    EXPECT_FALSE(std::filesystem::exists(settings.TemporaryWave() + ".partial"));
}

TEST_F(CdRoad, DataTrackAloneEndsWithUnableToExtractAndLeavesNothing)
{
    WriteDisc({{true, 75, 441}, {false, 150}});
    WalkToDetailsChoice({2}, true);
    Click("CDtagselNext");
    ASSERT_TRUE(RunEventsUntil([&] { return Find("RecEncCDFinish")->isEnabled(); }));

    ASSERT_EQ(dialogs->messages.size(), 1u) << "no word about halting a ripper that has stopped";
    EXPECT_EQ(dialogs->messages[0].substr(0, 25), "unable to extract CD data");
    EXPECT_TRUE(Find("RecEncCDAborted")->isVisible());
    EXPECT_FALSE(std::filesystem::exists(Out("Track2.mp3")));
    EXPECT_FALSE(std::filesystem::exists(settings.TemporaryWave()));
    EXPECT_FALSE(std::filesystem::exists(settings.TemporaryWave() + ".partial"));
}

TEST_F(CdRoad, CancelDuringAnEncodingEndsItAndStartsNoFurtherTrack)
{
    UseJobs(1);  // one encoder keeps what it wrote until Cancel
    // Track 2 is long enough that its encoding outlasts any pause of a loaded machine's
    // main thread between the start of the encoding and the Cancel.
    WriteDisc({{true, 75, 441}, {true, 6000, 630}, {true, 150, 1050}});
    WalkToDetailsChoice({2, 3}, true);
    Watch([&] {
        if (state.encodingInProgress && !state.cancel.load())
            Click("RecEncCDCancel");
    });
    Click("CDtagselNext");
    ASSERT_TRUE(RunEventsUntil([&] { return Find("RecEncCDFinish")->isEnabled(); }));

    EXPECT_TRUE(state.cancel.load()) << "the encoding was never seen running";
    EXPECT_TRUE(Find("RecEncCDAborted")->isVisible());
    EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();
    EXPECT_EQ(titles.back(), "Encoding AUDIO CD file 1 of 2") << "track 3 was started after Cancel";
    EXPECT_FALSE(std::filesystem::exists(Out("Track3.mp3")));
    // What was encoded of track 2 until Cancel stays: fewer frames than the whole track's.
    ASSERT_TRUE(std::filesystem::exists(Out("Track2.mp3")));
    EXPECT_LT(Mp3Frames(RiffChunk(ReadBytes(Out("Track2.mp3")), "data")).size(), 6000u * 588 / kMp3FrameSamples);
}

TEST_F(CdRoad, TwoEncodersWriteEveryTrackByteForByteAsOneDoesAndCountTheFilesAsTheyFinish)
{
    // The first track is the longest, so a later one finishes before it.
    WriteDisc({{true, 300, 441}, {true, 75, 630}, {true, 150, 1050}});
    ProfileFile::Settings().WriteString("ENCODER", "Container", "mp3");
    ProfileFile::Settings().WriteInteger("ENCODER", "ReplayGain", 1);
    const std::vector<std::string> counted = {"Encoding AUDIO CD file 1 of 3", "Encoding AUDIO CD file 2 of 3",
                                              "Encoding AUDIO CD file 3 of 3"};
    std::map<int, std::vector<Bytes>> files;
    for (const int jobs : {1, 2}) {
        SCOPED_TRACE(std::to_string(jobs) + " encoders");
        UseJobs(jobs);
        titles.clear();
        Watch();
        WalkToDetailsChoice({1, 2, 3}, true);
        Click("CDtagselYes");
        Click("CDtagselNext");
        for (const std::string title : {"One", "Two", "Three"}) {
            Find<QLineEdit>("MultitagTitle")->setText(QString::fromStdString(title));
            if (title == "Two")
                Click("MultitagCopyright");
            Click("MultitagNext");
        }
        ASSERT_TRUE(RunEventsUntil([&] { return Find("RecEncCDFinish")->isEnabled(); }));

        EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();
        // Files finishing together may share one look of the watcher.
        ASSERT_FALSE(titles.empty());
        EXPECT_EQ(titles.front(), counted.front());
        EXPECT_EQ(titles.back(), counted.back());
        EXPECT_TRUE(std::includes(counted.begin(), counted.end(), titles.begin(), titles.end())) << titles.size();
        EXPECT_EQ(Find<QProgressBar>("MMGauge5")->value(), 100);
        EXPECT_EQ(HiddenOr(Out(""), ".part"), std::vector<std::string>{});
        EXPECT_EQ(HiddenOr(settings.Folder().File("program"), ".wav"), std::vector<std::string>{});
        const std::string second = Out("Track2.mp3");
        TagLib::MPEG::File tagged(second.c_str());
        ASSERT_TRUE(tagged.hasID3v2Tag());
        EXPECT_TRUE(tagged.ID3v2Tag()->properties().contains("REPLAYGAIN_ALBUM_GAIN"));
        for (int n = 1; n <= 3; ++n) {
            const std::string path = Out("Track" + std::to_string(n) + ".mp3");
            files[jobs].push_back(ReadBytes(path));
            std::filesystem::remove(path);
        }
    }
    for (std::size_t k = 0; k < 3; ++k)
        EXPECT_TRUE(files[1][k] == files[2][k]) << "track " << k + 1 << " differs";
}

TEST_F(CdRoad, CancelWithTwoEncodersRunningLeavesNoPartialOrTemporaryFile)
{
    WriteDisc({{true, 750, 441}, {true, 750, 630}, {true, 750, 1050}});
    WalkToDetailsChoice({1, 2, 3}, true);
    bool partialSeen = false;
    Watch([&] {
        // Cancel as soon as an encoder has begun its file.
        if (state.cancel.load() || !state.encodingInProgress)
            return;
        partialSeen = !HiddenOr(Out(""), ".part").empty();
        if (partialSeen)
            Click("RecEncCDCancel");
    });
    Click("CDtagselNext");
    ASSERT_TRUE(RunEventsUntil([&] { return Find("RecEncCDFinish")->isEnabled(); }));

    EXPECT_TRUE(partialSeen) << "no encoding was seen writing";
    EXPECT_TRUE(Find("RecEncCDAborted")->isVisible());
    for (const std::string& m : dialogs->messages)
        EXPECT_EQ(m, "Unable to halt ripper.. please wait");
    EXPECT_EQ(HiddenOr(Out(""), ".part"), std::vector<std::string>{});
    EXPECT_EQ(HiddenOr(settings.Folder().File("program"), ".wav"), std::vector<std::string>{});
    // A track that finished before Cancel stays whole; no other MP3 is there.
    for (const auto& entry : std::filesystem::directory_iterator(Out(""))) {
        if (entry.path().extension() == ".mp3") {
            EXPECT_GE(DecodeMp3File(entry.path().string()).Frames(), 750L * 588) << entry.path();
        }
    }
}

TEST_F(CdRoad, RecordModeInRealTimeIsRememberedAndSetsTheCardsPaceForTheRunOnly)
{
    WriteDisc({{true, 38, 441}});
    ASSERT_TRUE(card && card->Settings().fastClock);
    // The card runs fast by its settings: the page offers it, and the user chooses real time.
    WalkToDetailsChoice({1}, false, [&] {
        auto* fast = Find<QCheckBox>("SelCDrecFast");
        EXPECT_TRUE(fast->isEnabled());
        EXPECT_TRUE(fast->isChecked());
        Click(fast);
    });
    std::set<bool> paces;
    Watch([&] {
        if (form2->MMWaveRecorder1.IsStarted())
            paces.insert(card->FastClock());
    });
    Click("CDtagselNext");
    ASSERT_TRUE(RunEventsUntil([&] { return Find("RecEncCDFinish")->isEnabled(); }));

    EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();
    EXPECT_EQ(paces, std::set<bool>{false}) << "the track was not recorded in real time";
    EXPECT_TRUE(card->FastClock()) << "the card keeps its own pace after the run";
    RestartWizard();
    form1->MoveTo(Find("SelCDrec"));
    EXPECT_FALSE(Find<QCheckBox>("SelCDrecFast")->isChecked());
}

TEST_F(CdRoad, CancelDuringARecordingStopsTheCdAndEncodesNothing)
{
    WriteDisc({{true, 75, 441}, {true, 4500, 630}, {true, 150, 1050}});
    WalkToDetailsChoice({2, 3}, false);
    // The recorder takes its buffers on the main thread, so a minute-long track is still
    // playing at the turns of the event loop after the play started; the bar follows every
    // turn, and Cancel comes once it shows a part of the track.
    auto* bar = Find<QProgressBar>("MMGauge6");
    Find<QTimer>("Timer4")->setInterval(0);
    int shownAtCancel = -1;
    Watch([&] {
        if (form2->MMWaveRecorder1.IsStarted() && !state.cancel.load() && bar->value() > 0) {
            shownAtCancel = bar->value();
            Click("RecEncCDCancel");
        }
    });
    Click("CDtagselNext");
    ASSERT_TRUE(RunEventsUntil([&] { return Find("RecEncCDFinish")->isEnabled(); }));

    EXPECT_TRUE(state.cancel.load()) << "the recording was never seen running";
    ASSERT_GT(shownAtCancel, 0);
    ASSERT_LT(shownAtCancel, 100) << "the track was recorded whole before Cancel";
    EXPECT_EQ(bar->value(), shownAtCancel) << "a cancelled recording's bar shows how far it came";
    EXPECT_TRUE(Find("RecEncCDAborted")->isVisible());
    EXPECT_FALSE(form2->MMWaveRecorder1.IsOpened());
    EXPECT_EQ(titles.back(), "Encoding AUDIO CD file 1 of 2");
    EXPECT_FALSE(std::filesystem::exists(Out("Track2.mp3")));
    EXPECT_FALSE(std::filesystem::exists(Out("Track3.mp3")));
    EXPECT_FALSE(std::filesystem::exists(settings.TemporaryWave()));
}

// Rips `tracks`, then records them through the card (at the card's pace when `realTime`),
// and expects each recording to hold the rip's frames, lined up with the disc at the rip's
// decoder lag. Noise lines up at one delay only.
class CdRecordVersusRip : public CdRoad {
protected:
    void ExpectRecordingsMatchTheRips(const CdImage& image, const std::vector<int>& tracks, bool realTime)
    {
        std::map<int, DecodedMp3> ripped;
        std::map<int, long> rippedLag;
        for (bool rip : {true, false}) {
            SCOPED_TRACE(rip ? "rip mode" : "record mode");
            if (!rip) {
                std::filesystem::remove_all(Out(""));
                std::filesystem::create_directory(Out(""));
                if (realTime) {
                    form3.reset();
                    form1.reset();
                    form2.reset();
                    card.reset();  // the next card paces its lines by the wall clock
                    ProfileFile::Settings().WriteString("SOUNDCARD_SETUP", "Clock", "real");
                }
                RestartWizard();
            }
            WalkToDetailsChoice(tracks, rip);
            Click("CDtagselNext");
            ASSERT_TRUE(RunEventsUntil([&] { return Find("RecEncCDFinish")->isEnabled(); }));
            EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();
            for (int n : tracks) {
                SCOPED_TRACE("track " + std::to_string(n));
                const DecodedMp3 d = DecodeMp3File(Out("Track" + std::to_string(n) + ".mp3"));
                const std::vector<std::int16_t> pcm = image.TrackSamples(n);
                const long lag = BestDelay(pcm, d, 2, 0, static_cast<long>(pcm.size()) / 2, 0, 3 * kMp3FrameSamples);
                if (rip) {
                    ripped[n] = d;
                    rippedLag[n] = lag;
                    continue;
                }
                EXPECT_NEAR(d.Frames(), ripped[n].Frames(), kMp3FrameSamples);
                EXPECT_EQ(lag, rippedLag[n]);
            }
        }
    }
};

TEST_F(CdRecordVersusRip, AtTheFastClockTracksOneAndThreeHoldTheRipsFramesLinedUp)
{
    ExpectRecordingsMatchTheRips(WriteDisc({{true, 75, 0}, {true, 75, 441}, {true, 110, 0}}), {1, 3}, false);
}

TEST_F(CdRecordVersusRip, InRealTimeAShortTrackHoldsTheRipsFramesLinedUp)
{
    ExpectRecordingsMatchTheRips(WriteDisc({{true, 50, 0}, {true, 75, 441}}), {1}, true);
}

TEST_F(CdRoad, AFullTemporaryDiskStopsTheCdWithAMessageAndWritesNoMp3)
{
    const SmallDisk small(settings.Folder().File("program"), "1m");
    if (!small.Mounted())
        GTEST_SKIP() << "cannot mount a small file system here";
    WriteDisc({{true, 75, 441}, {true, 4500, 630}, {true, 150, 1050}});
    WalkToDetailsChoice({2, 3}, false);
    Click("CDtagselNext");
    ASSERT_TRUE(RunEventsUntil([&] { return Find("RecEncCDFinish")->isEnabled(); }));

    ASSERT_EQ(dialogs->messages.size(), 1u);
    EXPECT_EQ(dialogs->messages[0].rfind(kRecordingWriteFailedMessage, 0), 0u) << dialogs->messages[0];
    EXPECT_NE(dialogs->messages[0].find(settings.TemporaryWave()), std::string::npos) << dialogs->messages[0];
    ASSERT_TRUE(CdPlayback::Current());
    EXPECT_FALSE(CdPlayback::Current()->Playing()) << "the CD plays on";
    EXPECT_TRUE(Find("RecEncCDAborted")->isVisible());
    EXPECT_FALSE(std::filesystem::exists(Out("Track2.mp3")));
    EXPECT_FALSE(std::filesystem::exists(Out("Track3.mp3")));
    ExpectPageNamed();
    // The page offers the way back to the track list, read again with the same tracks
    // checked; the method and the folder stay as chosen.
    ASSERT_TRUE(Find("BtnBack")->isVisible());
    Click("BtnBack");
    ASSERT_EQ(CurrentPageName(), "selCD");
    Click(Find("selCDTracks"));  // the focus enters the page: the disc is read again
    auto* list = Find<QListWidget>("selCDTracks");
    ASSERT_EQ(list->count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(list->item(i)->checkState() == Qt::Checked, i > 0) << "line " << i;
    EXPECT_FALSE(Find<QRadioButton>("SelCDrecRip")->isChecked());
    EXPECT_EQ(Find<QLineEdit>("CDoptionsFolder")->text().toStdString() + "/", Out(""));
}

TEST_F(CdRoad, AFullOutputDiskEndsTheRunAndOffersBack)
{
    const CdImage image = WriteDisc(kThreeTracks);
    const SmallDisk small(Out(""), "40k");
    if (!small.Mounted())
        GTEST_SKIP() << "cannot mount a small file system here";
    WalkToDetailsChoice({1, 2, 3}, true);
    Click("CDtagselNext");
    ASSERT_TRUE(RunEventsUntil([&] { return Find("RecEncCDFinish")->isEnabled(); }));

    // The first track fits; a later one finds the disk full, which ends the run. Each
    // message names the file and the reason.
    ASSERT_FALSE(dialogs->messages.empty());
    for (const std::string& m : dialogs->messages)
        EXPECT_NE(m.find(Out("Track")), std::string::npos) << m;
    EXPECT_NE(dialogs->messages.back().find("No space left on device"), std::string::npos) << dialogs->messages.back();
    ExpectTrackMp3(image, 1, true);
    // The track that found the disk full leaves nothing; the other encoder's track stays
    // only when it was whole before.
    EXPECT_LT(std::filesystem::exists(Out("Track2.mp3")) + std::filesystem::exists(Out("Track3.mp3")), 2);
    for (int n : {2, 3}) {
        if (std::filesystem::exists(Out("Track" + std::to_string(n) + ".mp3")))
            ExpectTrackMp3(image, n, true);
    }
    EXPECT_EQ(HiddenOr(Out(""), ".part"), std::vector<std::string>{});
    EXPECT_TRUE(Find("RecEncCDAborted")->isVisible());
    EXPECT_FALSE(Find("RecEncCDCancel")->isEnabled());
    ASSERT_TRUE(Find("BtnBack")->isVisible());
    Click("BtnBack");
    EXPECT_EQ(CurrentPageName(), "selCD");
}

TEST_F(CdRoad, ABinCutShortDuringTheRipFailsThatTrackWithTheReason)
{
    const CdImage image = WriteDisc({{true, 75, 441}, {true, 750, 630}, {true, 150, 1050}});
    CddaLibrary().OnSector = [&](int done, int) {
        // Extracting thread: the disc's file loses its end while track 2 is read.
        if (done == 300)
            std::filesystem::resize_file(image.bin, std::uintmax_t(75 + 400) * 2352);
    };
    WalkToDetailsChoice({2, 3}, true);
    Click("CDtagselNext");
    ASSERT_TRUE(RunEventsUntil([&] { return Find("RecEncCDFinish")->isEnabled(); }));

    ASSERT_EQ(dialogs->messages.size(), 1u);
    const std::string& text = dialogs->messages[0];
    EXPECT_EQ(text.substr(0, 26), "unable to extract CD data\n");
    EXPECT_NE(text.find("track 2"), std::string::npos) << text;
    EXPECT_NE(text.find("disc.bin\" ends before sector 475"), std::string::npos) << text;
    EXPECT_FALSE(std::filesystem::exists(Out("Track2.mp3")));
    EXPECT_FALSE(std::filesystem::exists(Out("Track3.mp3")));
    EXPECT_FALSE(std::filesystem::exists(settings.TemporaryWave()));
}

// Disc images as people have them: a cue naming "my disc.bin", a cdrdao toc over a
// big-endian BIN named relative to the toc, a cue whose tracks start at 02.
class CdRoadImages : public CdRoad, public ::testing::WithParamInterface<int> {};

TEST_P(CdRoadImages, ListAndRipTheDiscsOwnAudio)
{
    const int kind = GetParam();
    const std::string folder = settings.Folder().Path();
    const CdImage image = WriteCdImage(folder, "disc", kThreeTracks, {kind == 0 ? "my disc.bin" : "", kind == 2 ? 2 : 1});
    const std::string device = kind == 1 ? WriteTocImage(image, folder, "table") : image.cue;
    ProfileFile::Settings().WriteString("SOUNDCARD_SETUP", "CdDevice", device);
    Watch();
    WalkToDetailsChoice({2, 3}, true);  // list lines 2 and 3
    const auto* list = Find<QListWidget>("selCDTracks");
    ASSERT_EQ(list->count(), 3);
    const int first = image.firstNumber;
    EXPECT_EQ(list->item(0)->text().toStdString(), "Track" + std::to_string(first) + "         0 min. 1 sec.");
    EXPECT_EQ(list->item(2)->text().toStdString(), "Track" + std::to_string(first + 2) + "         0 min. 2 sec.");
    Click("CDtagselNext");
    ASSERT_TRUE(RunEventsUntil([&] { return Find("RecEncCDFinish")->isEnabled(); }));

    EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();
    for (int n : {first + 1, first + 2}) {
        ASSERT_TRUE(extracted.count(n)) << "track " << n;
        EXPECT_TRUE(RiffChunk(extracted[n], "data") == image.TrackBytes(n)) << "track " << n;
        ExpectTrackMp3(image, n, true);
    }
    EXPECT_FALSE(std::filesystem::exists(Out("Track" + std::to_string(first) + ".mp3")));
}

std::string SheetName(const ::testing::TestParamInfo<int>& sheet)
{
    const char* names[] = {"CueNamingMyDiscBin", "TocOverBigEndianBin", "CueFromTrack2"};
    return names[sheet.param];
}
INSTANTIATE_TEST_SUITE_P(Sheets, CdRoadImages, ::testing::Values(0, 1, 2), SheetName);

TEST_F(CdRoad, ReplayGainRunWithOrWithoutDetailsGivesEveryPlainMp3ItsNumberTrackGainAndTheSameAlbumGain)
{
    const CdImage image = WriteDisc(kThreeTracks);
    // With details entered, then without: the files carry their number and gains either way.
    for (const bool details : {true, false}) {
        SCOPED_TRACE(details ? "details" : "no details");
        if (!details) {
            // Without the details the first run confirmed (kept in the cache, they would tag
            // the files even when none are typed).
            std::filesystem::remove_all(settings.Folder().File("cache") + "/mervane/discs");
            RestartWizard();
            for (int n = 1; n <= 3; ++n)
                std::filesystem::remove(Out("Track" + std::to_string(n) + ".mp3"));
        }
        Click("IEButton3");
        Click("SelSourceNext");
        // The choices of the CD options page, made on its own controls.
        auto* list = Find<QListWidget>("selCDTracks");
        for (int t = 0; t < 3; ++t)
            list->item(t)->setCheckState(Qt::Checked);
        Click("selCDNext");
        // The disc is looked up afresh after the restart: Next goes on when the lookup ends.
        ASSERT_TRUE(QTest::qWaitFor([&] { return CurrentPageName() != "selCD"; }, 10000));
        QWidget* rip = Find("SelCDrecRip");
        QTest::mouseClick(rip, Qt::LeftButton, Qt::NoModifier, QPoint(8, rip->height() / 2));
        Click("SelCDrecNext");
        ASSERT_EQ(CurrentPageName(), "CDoptions");
        Find<QComboBox>("CDoptionsContainer")->setCurrentIndex(0);
        if (!state.encoder.replayGain)
            Click(Find<QCheckBox>("CDoptionsReplayGain"));
        EXPECT_TRUE(state.encoder.mp3Container && state.encoder.replayGain);
        dialogs->folderAnswers.push_back(Out(""));
        Click("CDoptionsBrowse");
        Activate();
        Click("CDoptionsNext");
        Click(details ? "CDtagselYes" : "CDtagselNo");
        Click("CDtagselNext");
        for (const char* title : {"One", "Two", "Three"}) {
            if (!details)
                break;
            Find<QLineEdit>("MultitagTitle")->setText(title);
            Click("MultitagNext");
        }
        ASSERT_TRUE(RunEventsUntil([&] { return Find("RecEncCDFinish")->isEnabled(); }));
        EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();

        std::set<std::string> albumGains, trackGains;
        for (int n = 1; n <= 3; ++n) {
            SCOPED_TRACE("track " + std::to_string(n));
            const std::string path = Out("Track" + std::to_string(n) + ".mp3");
            EXPECT_EQ(DecodeMp3File(path, true).Frames(), static_cast<long>(image.TrackSamples(n).size()) / 2)
                << "the Info frame still stands behind the tag's room";
            TagLib::MPEG::File mp3(path.c_str());
            ASSERT_TRUE(mp3.hasID3v2Tag());
            const TagLib::PropertyMap tags = mp3.ID3v2Tag()->properties();
            EXPECT_EQ(tags["TRACKNUMBER"].toString().to8Bit(), std::to_string(n) + "/3");
            EXPECT_EQ(mp3.hasID3v1Tag(), details) << "no details, no ID3v1 tag";
            for (const char* key : {"REPLAYGAIN_TRACK_GAIN", "REPLAYGAIN_TRACK_PEAK", "REPLAYGAIN_ALBUM_GAIN",
                                    "REPLAYGAIN_ALBUM_PEAK"})
                EXPECT_TRUE(tags.contains(key)) << key;
            EXPECT_NE(tags["REPLAYGAIN_TRACK_GAIN"].toString().find(" dB"), -1);
            trackGains.insert(tags["REPLAYGAIN_TRACK_GAIN"].toString().to8Bit());
            albumGains.insert(tags["REPLAYGAIN_ALBUM_GAIN"].toString().to8Bit() + tags["REPLAYGAIN_ALBUM_PEAK"].toString().to8Bit());
        }
        EXPECT_EQ(albumGains.size(), 1u) << "one album gain and peak in every file";
        EXPECT_GT(trackGains.size(), 1u) << "the tones differ in loudness";
    }
}

namespace {
const ReleaseReply kFound{"The Band", "First Album", "1999-03-01", "GB", {"Intro", "Song", "Outro"}};

// The disc details lookup's servers, set in the settings for the next reading of the disc.
void UseServers(const std::string& musicBrainz, const std::string& gnudb, const std::string& fileNames = "%N - %t")
{
    ProfileFile ini = ProfileFile::Settings();
    ini.WriteString("METADATA", "Lookup", "1");
    ini.WriteString("METADATA", "MusicBrainz", musicBrainz);
    ini.WriteString("METADATA", "Gnudb", gnudb);
    ini.WriteString("METADATA", "FileNames", fileNames);
}

LocalHttpServer::Handler MusicBrainzKnows(std::vector<ReleaseReply> releases)
{
    return [releases](const HttpTestRequest& r) {
        return HttpTestResponse{200, MusicBrainzDiscReply(RequestedDiscId(r.target), releases), "application/json"};
    };
}
}  // namespace

TEST_F(CdRoad, FoundDetailsNameTheListTheTagsAndTheFilesAndComeBackFromTheCache)
{
    WriteDisc(kThreeTracks);
    LocalHttpServer musicBrainz(MusicBrainzKnows({kFound}));
    UseServers(musicBrainz.Url(), RefusingHttpUrl());
    WalkToDetailsChoice({1, 3}, true);
    EXPECT_EQ(Find<QLabel>("selCDLookup")->text(), "Found on MusicBrainz");
    EXPECT_EQ(Find<QListWidget>("selCDTracks")->item(0)->text(), "Track1         0 min. 1 sec.  Intro");
    EXPECT_TRUE(Find<QRadioButton>("CDtagselYes")->isChecked()) << "found details are offered";
    Click("CDtagselNext");
    ASSERT_EQ(CurrentPageName(), "Multitag");
    EXPECT_EQ(Find<QLineEdit>("MultitagTitle")->text(), "Intro");
    EXPECT_EQ(Find<QLineEdit>("MultitagArtist")->text(), "The Band");
    EXPECT_EQ(Find<QLineEdit>("MultitagAlbum")->text(), "First Album");
    Find<QLineEdit>("MultitagComment")->setText("typed for track 1");
    Click("MultitagNext");
    EXPECT_EQ(Find<QLineEdit>("MultitagTitle")->text(), "Outro") << "track 3 shows its own found title";
    EXPECT_EQ(Find<QLineEdit>("MultitagComment")->text(), "");
    Find<QLineEdit>("MultitagTitle")->setText("Outro: live");
    Click("MultitagNext");
    ASSERT_TRUE(RunEventsUntil([&] { return Find("RecEncCDFinish")->isEnabled(); }));
    EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();
    EXPECT_EQ(Title(Out("01 - Intro.mp3")), "Intro");
    EXPECT_EQ(Title(Out("03 - Outro: live.mp3")), "Outro: live");
    EXPECT_FALSE(std::filesystem::exists(Out("Track1.mp3")));
    EXPECT_TRUE(std::filesystem::exists(Out("First Album.log"))) << "the rip log is named after the album";
    EXPECT_FALSE(std::filesystem::exists(Out("Rip.log")));

    // With every server gone the next run finds the disc, with the user's edit, in the cache.
    RestartWizard();
    UseServers(RefusingHttpUrl(), RefusingHttpUrl());
    WalkToDetailsChoice({3}, true);
    EXPECT_EQ(Find<QLabel>("selCDLookup")->text(), "Found in the cache");
    EXPECT_EQ(Find<QListWidget>("selCDTracks")->item(2)->text(), "Track3         0 min. 2 sec.  Outro: live");
    EXPECT_EQ(dialogs->questions, std::vector<std::string>{"Replace these files?\n" + Out("03 - Outro: live.mp3")});
}

TEST_F(CdRoad, OfSeveralReleasesTheChosenOneIsTaggedAndCached)
{
    WriteDisc(kThreeTracks);
    const ReleaseReply other{"Other Band", "Reissue", "2010", "US", {"One", "Two", "Three"}};
    LocalHttpServer musicBrainz(MusicBrainzKnows({kFound, other}));
    UseServers(musicBrainz.Url(), RefusingHttpUrl(), "Track%n");
    dialogs->choiceAnswers.push_back(1);
    WalkToDetailsChoice({2}, true);
    ASSERT_EQ(dialogs->choiceLists.size(), 1u);
    EXPECT_EQ(dialogs->choiceLists[0].choices,
              (std::vector<std::string>{"The Band - First Album (1999, GB, CD, 3 tracks)",
                                        "Other Band - Reissue (2010, US, CD, 3 tracks)", "None of these"}));
    Click("CDtagselNext");
    Click("MultitagNext");
    ASSERT_TRUE(RunEventsUntil([&] { return Find("RecEncCDFinish")->isEnabled(); }));
    EXPECT_EQ(Title(Out("Track2.mp3")), "Two");
    const std::string cached = settings.Folder().File("cache") + "/mervane/discs";
    ASSERT_TRUE(std::filesystem::is_directory(cached));
    for (const auto& entry : std::filesystem::directory_iterator(cached)) {
        const Bytes json = ReadBytes(entry.path().string());
        EXPECT_NE(std::string(json.begin(), json.end()).find("\"Reissue\""), std::string::npos);
    }

    // "None of these" leaves the disc without details.
    RestartWizard();
    std::filesystem::remove_all(cached);
    WalkToDetailsChoice({2}, true);
    EXPECT_EQ(dialogs->choiceLists.size(), 2u);
    EXPECT_EQ(Find<QListWidget>("selCDTracks")->item(1)->text(), "Track2         0 min. 2 sec.");
}

namespace {
// A release with a front cover: MusicBrainz says so, the Cover Art Archive redirects its
// front-500 to a progressive JPEG of 1400 pixels on an image server (or answers 404 for
// every release with `none`).
struct CoverServers {
    explicit CoverServers(bool none = false)
        : source(TestJpeg(1400, 1400, true)),
          images([this](const HttpTestRequest&) {
              return HttpTestResponse{200, std::string(source.begin(), source.end()), "image/jpeg"};
          }),
          archive([this, none](const HttpTestRequest& r) {
              if (!none && r.target == "/release/" + ReleaseMbid(0) + "/front-500")
                  return HttpTestResponse{307, images.Url() + "/front.jpg"};
              return HttpTestResponse{404, "Not Found"};
          }),
          musicBrainz([](const HttpTestRequest& r) {
              return HttpTestResponse{200, MusicBrainzDiscReply(RequestedDiscId(r.target), {kFound}, true),
                                      "application/json"};
          })
    {
        UseServers(musicBrainz.Url(), RefusingHttpUrl(), "Track%n");
        ProfileFile::Settings().WriteString("METADATA", "CoverArt", archive.Url());
    }
    Bytes source;
    LocalHttpServer images;
    LocalHttpServer archive;
    LocalHttpServer musicBrainz;
};

std::string TextOf(const std::string& path)
{
    const Bytes bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}
}  // namespace

TEST_F(CdRoad, TheReleasesFrontCoverIsInEveryTrackAndBesideThemAndComesFromTheCacheOffline)
{
    const CdImage image = WriteDisc(kThreeTracks);
    Bytes embedded;
    {
        CoverServers servers;
        WalkToDetailsChoice({1, 3}, true);
        ASSERT_TRUE(RunEventsUntil([&] { return !Find<QLabel>("selCDCover")->pixmap().isNull(); }))
            << "the track list shows the release's cover once found";
        Click("CDtagselNext");
        EXPECT_FALSE(Find<QToolButton>("MultitagCover")->icon().isNull()) << "the well shows the found cover";
        Click("MultitagNext");
        Click("MultitagNext");
        ASSERT_TRUE(RunEventsUntil([&] { return Find("RecEncCDFinish")->isEnabled(); }));
        EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();
        for (int n : {1, 3}) {
            SCOPED_TRACE("track " + std::to_string(n));
            const std::vector<EmbeddedPicture> pictures = EmbeddedPictures(Out("Track" + std::to_string(n) + ".mp3"));
            ASSERT_EQ(pictures.size(), 1u);
            EXPECT_EQ(pictures[0].type, 3);
            EXPECT_EQ(pictures[0].mime, "image/jpeg");
            EXPECT_FALSE(HasProgressiveFrame(pictures[0].data));
            EXPECT_EQ(pictures[0].width, 1200);
            EXPECT_LT(pictures[0].data.size(), servers.source.size());
            embedded = pictures[0].data;
        }
        EXPECT_EQ(ReadBytes(Out("cover.jpg")), embedded);
        EXPECT_NE(TextOf(Out("First Album.log")).find("\nCover: cover.jpg\n"), std::string::npos);
        EXPECT_EQ(servers.archive.Requests().size(), 1u);
    }

    // Every server gone, a plain MP3 this time: the disc's details and cover come from the cache.
    RestartWizard();
    UseServers(RefusingHttpUrl(), RefusingHttpUrl(), "Track%n");
    ProfileFile::Settings().WriteString("METADATA", "CoverArt", RefusingHttpUrl());
    WalkToDetailsChoice({2}, true);
    Click("BtnBack");
    Find<QComboBox>("CDoptionsContainer")->setCurrentIndex(0);
    Click("CDoptionsNext");
    Click("CDtagselNext");
    Click("MultitagNext");
    ASSERT_TRUE(RunEventsUntil([&] { return Find("RecEncCDFinish")->isEnabled(); }));
    const std::vector<EmbeddedPicture> pictures = EmbeddedPictures(Out("Track2.mp3"));
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].data, embedded);
    EXPECT_EQ(DecodeMp3File(Out("Track2.mp3"), true).Frames(), long(image.TrackSamples(2).size()) / 2)
        << "the Info frame still stands first behind the grown tag";
}

TEST_F(CdRoad, ACoverThatIsNotThereStillRipsWithoutAPictureAndTheLogSaysWhy)
{
    WriteDisc(kThreeTracks);
    CoverServers servers(true);
    WalkToDetailsChoice({2}, true);
    Click("CDtagselNo");
    Click("CDtagselNext");
    ASSERT_TRUE(RunEventsUntil([&] { return Find("RecEncCDFinish")->isEnabled(); }));
    EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();
    ASSERT_TRUE(std::filesystem::exists(Out("Track2.mp3")));
    EXPECT_TRUE(EmbeddedPictures(Out("Track2.mp3")).empty());
    EXPECT_FALSE(std::filesystem::exists(Out("cover.jpg")));
    EXPECT_NE(TextOf(Out("First Album.log")).find("\nCover: none on the Cover Art Archive (HTTP 404)\n"), std::string::npos);
}

TEST_F(CdRoad, WithoutMusicBrainzGnudbNamesTheTracksAndOfflineTheCueSheetsCdTextDoes)
{
    WriteDisc(kThreeTracks);
    LocalHttpServer musicBrainz([](const HttpTestRequest&) { return HttpTestResponse{404, R"({"error":"Not found"})"}; });
    LocalHttpServer gnudb([](const HttpTestRequest& r) {
        const bool read = r.target.find("cddb+read+") != std::string::npos;
        const ReleaseReply entry{"Gnu Band", "Gnu Album", "1987", "", {"Alpha", "Beta", "Gamma"}};
        return HttpTestResponse{200, read ? CddbReadReply("rock", "0a000503", entry, "Rock")
                                          : CddbQueryReply("rock", "0a000503", "Gnu Band / Gnu Album")};
    });
    UseServers(musicBrainz.Url(), gnudb.Url() + "/~cddb/cddb.cgi");
    WalkToDetailsChoice({2}, true);
    EXPECT_EQ(Find<QLabel>("selCDLookup")->text(), "Found on gnudb");
    EXPECT_EQ(Find<QListWidget>("selCDTracks")->item(1)->text(), "Track2         0 min. 2 sec.  Beta");
    Click("CDtagselNext");
    EXPECT_EQ(Find<QLineEdit>("MultitagTitle")->text(), "Beta");
    EXPECT_EQ(Find<QComboBox>("MultitagStyle")->currentText(), "Rock");

    // The cue sheet's TITLE and PERFORMER lines are the disc's CD-Text.
    RestartWizard();
    std::string cue;
    for (const std::string& line : [&] {
             const Bytes bytes = ReadBytes(Input("disc.cue"));
             std::vector<std::string> lines;
             std::string l;
             for (char c : bytes)
                 if (c == '\n')
                     lines.push_back(l), l.clear();
                 else
                     l += c;
             return lines;
         }()) {
        cue += line + "\n";
        if (line.find("TRACK 02") != std::string::npos)
            cue += "    TITLE \"Text Song\"\n    PERFORMER \"Text Band\"\n";
    }
    WriteBytes(Input("disc.cue"), Bytes(cue.begin(), cue.end()));
    UseServers(RefusingHttpUrl(), RefusingHttpUrl());
    WalkToDetailsChoice({2}, true);
    EXPECT_EQ(Find<QLabel>("selCDLookup")->text(), "Offline: using CD-Text");
    EXPECT_EQ(Find<QListWidget>("selCDTracks")->item(1)->text(), "Track2         0 min. 2 sec.  Text Song");
    Click("CDtagselNext");
    EXPECT_EQ(Find<QLineEdit>("MultitagArtist")->text(), "Text Band");
}

TEST_F(CdRoad, NextOnTheTrackListWaitsForALateLookupOrGoesOnWithTheCdText)
{
    WriteDisc(kThreeTracks);
    LocalHttpServer late([](const HttpTestRequest& r) {
        HttpTestResponse reply = MusicBrainzKnows({kFound})(r);
        reply.delay = std::chrono::milliseconds(2500);
        return reply;
    });
    UseServers(late.Url(), RefusingHttpUrl());
    const auto waits = [&] {
        EXPECT_EQ(CurrentPageName(), "selCD") << "Next waits for the disc's details";
        EXPECT_EQ(Find<QLabel>("selCDLookup")->text(), "Looking up...");
        EXPECT_TRUE(Find("selCDGoOn")->isVisible());
    };
    WalkToDetailsChoice({1, 2, 3}, true, {}, [&] {
        waits();
        ASSERT_TRUE(RunEventsUntil([&] { return CurrentPageName() != "selCD"; }));
    });
    Find<QRadioButton>("CDtagselNo")->setChecked(true);
    Click("CDtagselNext");
    ASSERT_TRUE(RunEventsUntil([&] { return Find("RecEncCDFinish")->isEnabled(); }));
    for (const char* name : {"01 - Intro.mp3", "02 - Song.mp3", "03 - Outro.mp3"})
        EXPECT_TRUE(std::filesystem::exists(Out(name))) << name;

    // A server that never answers: "Go on without" takes the disc's CD-Text at once.
    RestartWizard();
    const Bytes plain = ReadBytes(Input("disc.cue"));
    std::string cue(plain.begin(), plain.end());
    cue.insert(cue.find("\n", cue.find("TRACK 02")) + 1, "    TITLE \"Text Song\"\n");
    WriteBytes(Input("disc.cue"), Bytes(cue.begin(), cue.end()));
    LocalHttpServer silent([](const HttpTestRequest&) {
        HttpTestResponse stalled;
        stalled.stallAfterHeaders = true;
        return stalled;
    });
    UseServers(silent.Url(), RefusingHttpUrl());
    WalkToDetailsChoice({2}, true, {}, [&] {
        waits();
        // The disc is read (and its CD-Text handed over) before any server is asked.
        ASSERT_TRUE(RunEventsUntil([&] { return !silent.Requests().empty(); }));
        ProcessMessages();
        Click("selCDGoOn");
        EXPECT_EQ(Find<QLabel>("selCDLookup")->text(), "Using CD-Text");
    });
    Find<QRadioButton>("CDtagselNo")->setChecked(true);
    Click("CDtagselNext");
    ASSERT_TRUE(RunEventsUntil([&] { return Find("RecEncCDFinish")->isEnabled(); }));
    EXPECT_TRUE(std::filesystem::exists(Out("02 - Text Song.mp3")));
}

namespace {
// The part of the rip log about track n.
std::string LogSection(const std::string& log, int n)
{
    const std::string head = "\nTrack " + std::to_string(n) + "\n";
    const std::size_t at = log.find(head);
    if (at == std::string::npos)
        return "<no section for track " + std::to_string(n) + ">";
    return log.substr(at, log.find("\n\n", at + 1) - at);
}

std::string Hex8(std::uint32_t v)
{
    char text[9];
    std::snprintf(text, sizeof text, "%08X", v);
    return text;
}

void PutLe32(std::string& to, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        to += char(v >> (8 * i));
}
}  // namespace

TEST_F(CdRoad, RipOfTracksOneAndThreeLogsTheirChecksumsAndAccurateRipVerdicts)
{
    const CdImage image = WriteDisc({{true, 20, 0}, {true, 30, 441}, {true, 25, 0, 5}});
    std::map<int, AccurateRipReference> reference;
    for (const int n : {1, 3}) {
        const std::string wave = Input(("reference" + std::to_string(n) + ".wav").c_str());
        WritePcmWave(wave, 16, 2, kRate, image.TrackBytes(n));
        const auto sums = WhipperAccurateRip(wave, n, 3);
        ASSERT_TRUE(sums) << "accuraterip-checksum (whipper) did not run";
        reference[n] = *sums;
    }
    // The database knows track 1 by its v2 sum and lists track 3 wrongly.
    const AccurateRipDiscId disc = AccurateRipIds(
        {{1, image.firstSector[0], true}, {2, image.firstSector[1], true}, {3, image.firstSector[2], true}}, 75);
    std::string dbar(1, char(3));
    for (const std::uint32_t v : {disc.id1, disc.id2, disc.cddb})
        PutLe32(dbar, v);
    for (const auto& [confidence, sum] :
         std::vector<std::pair<int, std::uint32_t>>{{9, reference[1].v2}, {2, 0}, {4, reference[3].v1 ^ 1}}) {
        dbar += char(confidence);
        PutLe32(dbar, sum);
        PutLe32(dbar, 0);
    }
    LocalHttpServer server([&](const HttpTestRequest& r) {
        HttpTestResponse reply;
        if (r.target.find(disc.FileName()) == std::string::npos)
            reply.status = 404;
        reply.body = dbar;
        reply.contentType = "application/octet-stream";
        return reply;
    });
    ProfileFile::Settings().WriteString("CD", "AccurateRip", server.Url() + "/accuraterip");
    ProfileFile::Settings().WriteInteger("CD", "CueSheet", 1);

    WalkToDetailsChoice({1, 3}, true);
    Click("CDtagselNext");
    ASSERT_TRUE(RunEventsUntil([&] { return Find("RecEncCDFinish")->isEnabled(); }));
    EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0].target, "/accuraterip/" + disc.Url("").substr(1));

    const Bytes bytes = ReadBytes(Out("Rip.log"));
    const std::string log(bytes.begin(), bytes.end());
    for (const int n : {1, 3}) {
        SCOPED_TRACE("track " + std::to_string(n));
        const std::string section = LogSection(log, n);
        EXPECT_NE(section.find("File: " + Out("Track" + std::to_string(n) + ".mp3")), std::string::npos) << section;
        EXPECT_NE(section.find("Copy CRC: " + Hex8(ZlibCrc32(image.TrackBytes(n)))), std::string::npos) << section;
        EXPECT_NE(section.find("AccurateRip v1: " + Hex8(reference[n].v1)), std::string::npos) << section;
        EXPECT_NE(section.find("AccurateRip v2: " + Hex8(reference[n].v2)), std::string::npos) << section;
    }
    EXPECT_NE(LogSection(log, 1).find("AccurateRip: Accurately ripped (confidence 9)"), std::string::npos) << log;
    EXPECT_NE(LogSection(log, 3).find("AccurateRip: Not accurate (4 other rips disagree)"), std::string::npos) << log;
    EXPECT_EQ(log.find("\nTrack 2\n"), std::string::npos) << "track 2 was not ripped";
    EXPECT_NE(log.find("\n      3  00:00.50  00:00.25  00:00.05            50          74\n"), std::string::npos)
        << "track 3's line in the table of contents, with its pregap\n" << log;
    EXPECT_NE(log.find("Not accurately ripped: 3\n"), std::string::npos) << log;
    EXPECT_EQ(Find<QLabel>("RecEncCDVerify")->text(), "Track 3: not accurate (4 other rips disagree)");

    const Bytes m3u = ReadBytes(Out("Rip.m3u"));
    EXPECT_EQ(std::string(m3u.begin(), m3u.end()), "#EXTM3U\nTrack1.mp3\nTrack3.mp3\n");
    const Bytes cue = ReadBytes(Out("Rip.cue"));
    const std::string sheet(cue.begin(), cue.end());
    const std::size_t first = sheet.find("FILE \"Track1.mp3\" MP3\n  TRACK 01 AUDIO");
    const std::size_t second = sheet.find("FILE \"Track3.mp3\" MP3\n  TRACK 02 AUDIO");
    EXPECT_TRUE(first != std::string::npos && second != std::string::npos && first < second) << sheet;
    EXPECT_NE(sheet.find("TRACK 02 AUDIO\n    PREGAP 00:00:05\n    INDEX 01 00:00:00\n"), std::string::npos)
        << "track 3's pregap lies in track 2, which was not ripped\n" << sheet;
}

TEST_F(CdRoad, ADatabaseThatCannotBeReachedIsLoggedAndTheRipGoesOn)
{
    const CdImage image = WriteDisc(kThreeTracks);
    WalkToDetailsChoice({2}, true);
    Click("CDtagselNext");
    ASSERT_TRUE(RunEventsUntil([&] { return Find("RecEncCDFinish")->isEnabled(); }));
    EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();
    ExpectTrackMp3(image, 2, true);
    const Bytes bytes = ReadBytes(Out("Rip.log"));
    const std::string log(bytes.begin(), bytes.end());
    EXPECT_NE(log.find("The AccurateRip database could not be reached"), std::string::npos) << log;
    EXPECT_NE(LogSection(log, 2).find("Copy CRC: " + Hex8(ZlibCrc32(image.TrackBytes(2)))), std::string::npos) << log;
    EXPECT_EQ(Find<QLabel>("RecEncCDVerify")->text(), "Track 2: not checked (AccurateRip could not be reached)");
    EXPECT_FALSE(std::filesystem::exists(Out("Rip.cue"))) << "no cue sheet unless asked for";
}

TEST_F(CdRoad, AudioBeforeTrackOneIsOfferedAsTrack0AndRippedButASilentPregapIsNot)
{
    const CdImage image = WriteDisc({{true, 75, 441, 300, 882}, {true, 75, 630}});
    ProfileFile::Settings().WriteInteger("CD", "CueSheet", 1);
    WalkToDetailsChoice({1, 2}, true);  // the list's first two lines
    auto* list = Find<QListWidget>("selCDTracks");
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), "Track0         0 min. 4 sec.");
    Click("CDtagselNext");
    ASSERT_TRUE(RunEventsUntil([&] { return Find("RecEncCDFinish")->isEnabled(); }));
    EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();
    ExpectTrackMp3(image, 1, true);
    const Bytes cue = ReadBytes(Out("Rip.cue"));
    EXPECT_NE(std::string(cue.begin(), cue.end())
                  .find("FILE \"Track0.mp3\" MP3\n  TRACK 01 AUDIO\n    INDEX 00 00:00:00\nFILE \"Track1.mp3\" MP3\n"
                        "    INDEX 01 00:00:00\n"),
              std::string::npos)
        << "track 0 is track 1's pregap\n" << std::string(cue.begin(), cue.end());
    ASSERT_TRUE(std::filesystem::exists(Out("Track0.mp3")));
    const DecodedMp3 d = DecodeMp3File(Out("Track0.mp3"));
    const std::vector<std::int16_t> hidden = image.PregapSamples(1);
    EXPECT_NEAR(StrongestFrequency(d.pcm, 2, 0, kRate, kRate / 5, 32768), 882, 882 * 0.02);
    EXPECT_GT(AlignedSnr(hidden, d, 2, 0, long(hidden.size()) / 2, kMp3CodecDelay), 20.0);

    WriteDisc({{true, 75, 441, 300}, {true, 75, 630}});
    RestartWizard();
    Click("IEButton3");
    Click("SelSourceNext");
    ASSERT_TRUE(RunEventsUntil([&] { return !state.discLookupRunning; }));
    list = Find<QListWidget>("selCDTracks");
    ASSERT_EQ(list->count(), 2) << "no Track0 for a silent pregap";
    EXPECT_TRUE(list->item(0)->text().startsWith("Track1 "));
}

TEST_F(CdRoad, AFlacAlbumImageFromWindowsGivesFilesNamedAndTaggedFromItsSheet)
{
    // 75 s of tones with INDEX 00 gaps before tracks 2 and 3, kept as one FLAC file that the
    // CRLF sheet names by the Windows path it was ripped to.
    const WindowsAlbumImage album =
        WriteWindowsAlbumImage(settings.Folder().Path(), "disc.cue", "C:\\Music\\Rips\\ARTIST - ALBUM.FLAC");
    const std::vector<std::string>& trackTitles = album.titles;
    UseServers(RefusingHttpUrl(), RefusingHttpUrl(), "%N - %t");

    WalkToDetailsChoice({1, 2, 3}, true);
    EXPECT_EQ(dialogs->messages, std::vector<std::string>{"The sheet names \"C:\\Music\\Rips\\ARTIST - ALBUM.FLAC\"; "
                                                          "\"Artist - Album.flac\" was read"});
    Click("CDtagselNext");
    for (const std::string& title : trackTitles) {
        ASSERT_EQ(CurrentPageName(), "Multitag");
        EXPECT_EQ(Find<QLineEdit>("MultitagTitle")->text().toStdString(), title);
        Click("MultitagNext");
    }
    ASSERT_TRUE(RunEventsUntil([&] { return Find("RecEncCDFinish")->isEnabled(); }));
    for (int n = 1; n <= 3; ++n) {
        SCOPED_TRACE("track " + std::to_string(n));
        const std::size_t i = std::size_t(n - 1);
        const std::string path = Out("0" + std::to_string(n) + " - " + trackTitles[i] + ".mp3");
        ASSERT_TRUE(std::filesystem::exists(path));
        {
            TagLib::MPEG::File file(path.c_str(), false);
            ASSERT_TRUE(file.hasID3v1Tag());
            const TagLib::ID3v1::Tag* tag = file.ID3v1Tag();
            EXPECT_EQ(tag->title().to8Bit(true), trackTitles[i]);
            EXPECT_EQ(tag->artist().to8Bit(true), "The Band");
            EXPECT_EQ(tag->album().to8Bit(true), "First Album");
            EXPECT_EQ(tag->year(), 1999u);
            EXPECT_EQ(tag->genre().to8Bit(true), "Rock");
        }
        {
            // The sheet's songwriter and recording code, which the details page does not
            // show, reach the ID3v2 tag (in the wave container's chunk); a track without
            // them gets none, not its neighbour's.
            TagLib::RIFF::WAV::File file(path.c_str(), false);
            ASSERT_TRUE(file.hasID3v2Tag());
            const TagLib::PropertyMap tags = file.ID3v2Tag()->properties();
            EXPECT_EQ(tags["COMPOSER"].toString().to8Bit(true), album.composers[i]);
            EXPECT_EQ(tags["ISRC"].toString().to8Bit(true), album.isrcs[i]);
        }
        // Exactly the track, pregap of the next one included, behind the codec's delay.
        const DecodedMp3 d = DecodeMp3File(path);
        const long frames = long(album.tones.TrackSamples(n).size()) / 2;
        EXPECT_GE(d.Frames(), frames + kMp3CodecDelay);
        EXPECT_LT(d.Frames(), frames + kMp3CodecDelay + 2 * kMp3FrameSamples);
    }
    const Bytes log = ReadBytes(Out("First Album.log"));
    EXPECT_NE(std::string(log.begin(), log.end()).find("\"Artist - Album.flac\" was read"), std::string::npos)
        << "the log says which file was read";
}

TEST_F(CdRoad, AnImageBrowsedForOnTheTrackListIsTheDiscOfThisRun)
{
    WriteDisc(kThreeTracks);
    const CdImage other = WriteCdImage(settings.Folder().Path(), "other", {{true, 75, 441}, {true, 75, 882}});
    // The image stays the run's disc for the rest of this program; the next test's is its own.
    struct Forget {
        ~Forget() { SetCdDeviceForRun(""); }
    } forget;
    Click("IEButton3");
    Click("SelSourceNext");
    ASSERT_EQ(CurrentPageName(), "selCD");
    EXPECT_EQ(Find<QListWidget>("selCDTracks")->count(), 3);
    dialogs->openAnswers.push_back(other.cue);
    Click("selCDImage");
    EXPECT_EQ(Find<QListWidget>("selCDTracks")->count(), 2);
    EXPECT_EQ(Find<QLabel>("selCDInfo")->text(), "This CD contains 2 tracks");
    EXPECT_TRUE(dialogs->messages.empty());
    ASSERT_TRUE(RunEventsUntil([&] { return !state.discLookupRunning; }));
}
