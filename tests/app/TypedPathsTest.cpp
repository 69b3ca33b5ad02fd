// What the user types is what the wizard uses: paths are checked on their own page as they
// are typed (after a pause, without the focus leaving the field), a missing folder is offered
// to be made before anything is written, and the destination follows the source.
#include "app/RememberedChoices.h"
#include "app/WizardFixture.h"
#include "platform/os/ProfileFile.h"
#include "support/CdImage.h"
#include "support/LocalHttpServer.h"
#include "support/WaveFixtures.h"

#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolTip>
#include <filesystem>
#include <sys/stat.h>

namespace {
// Replaces a field's text by typing, as a person does: the field never loses the focus.
void TypeInto(QLineEdit* field, const std::string& text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, QString::fromStdString(text));
}

struct FileStamp {
    ino_t inode;
    timespec modified;
    bool operator==(const FileStamp& o) const
    {
        return inode == o.inode && modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec;
    }
};

FileStamp StampOf(const std::string& path)
{
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return {st.st_ino, st.st_mtim};
}

class TypedPaths : public WizardTest {
protected:
    void BeforeWizard() override
    {
        UseFastSoftwareCard();
        ProfileFile::Settings().WriteString("SOUNDCARD_SETUP", "CdDevice", Input("disc.cue"));
        ProfileFile::Settings().WriteString("CD", "AccurateRip", RefusingHttpUrl());
        WriteCdImage(settings.Folder().Path(), "disc", {{true, 75, 441}, {true, 75, 630}});
        // An earlier rip lies in the folder the CD road remembers.
        std::filesystem::create_directory(Input("out-watch"));
        for (const char* name : {"Track1.mp3", "Track2.mp3"})
            WriteBytes(Input("out-watch/") + name, PatternBytes(1000));
        RememberOutputFolder("cd", Input("out-watch"));
    }
};
}  // namespace

TEST_F(TypedPaths, ANewFolderTypedOnTheCdPageIsMadeAndUsedAndTheRememberedRipIsLeftAlone)
{
    const FileStamp before[] = {StampOf(Input("out-watch/Track1.mp3")), StampOf(Input("out-watch/Track2.mp3"))};
    Click("IEButton3");
    Click("SelSourceNext");
    ASSERT_TRUE(RunEventsUntil([&] { return !state.discLookupRunning; }));
    Click("selCDSelectAll");
    Click("selCDNext");
    Click("SelCDrecRip");
    Click("SelCDrecNext");
    ASSERT_EQ(CurrentPageName(), "CDoptions");
    auto* field = Find<QLineEdit>("CDoptionsFolder");
    EXPECT_EQ(field->text().toStdString(), Input("out-watch"));

    // The page says what Next will do while the user types, before any dialog.
    const std::string fresh = Input("out-zzz");
    TypeInto(field, fresh);
    ASSERT_TRUE(RunEventsUntil([&] { return !Find<QLabel>("CDoptionsFolderNote")->text().isEmpty(); }));
    EXPECT_NE(Find<QLabel>("CDoptionsFolderNote")->text().toStdString().find(fresh), std::string::npos);
    EXPECT_TRUE(Find("CDoptionsNext")->isEnabled());

    // Alt+N straight from the field: one question, about the folder the field shows.
    QTest::keyClick(field, Qt::Key_N, Qt::AltModifier);
    ASSERT_TRUE(RunEventsUntil([&] { return CurrentPageName() == "CDtagsel"; }, std::chrono::seconds(20)));
    EXPECT_EQ(dialogs->questions, std::vector<std::string>{"Create folder " + fresh + "?"});
    EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();
    ASSERT_TRUE(std::filesystem::is_directory(fresh));

    Click("CDtagselNext");
    ASSERT_TRUE(RunEventsUntil([&] { return Find("RecEncCDFinish")->isEnabled(); }));
    EXPECT_TRUE(std::filesystem::exists(fresh + "/Track1.mp3"));
    EXPECT_TRUE(std::filesystem::exists(fresh + "/Track2.mp3"));
    EXPECT_TRUE(StampOf(Input("out-watch/Track1.mp3")) == before[0]);
    EXPECT_TRUE(StampOf(Input("out-watch/Track2.mp3")) == before[1]);
    EXPECT_EQ(ReadBytes(Input("out-watch/Track1.mp3")), PatternBytes(1000));
}

TEST_F(TypedPaths, AFolderThatCannotBeMadeKeepsNextDisabledWithTheReasonUnderTheField)
{
    WriteBytes(Input("plain-file"), {'x'});
    Click("IEButton3");
    Click("SelSourceNext");
    ASSERT_TRUE(RunEventsUntil([&] { return !state.discLookupRunning; }));
    Click("selCDSelectAll");
    Click("selCDNext");
    Click("SelCDrecNext");
    auto* field = Find<QLineEdit>("CDoptionsFolder");
    TypeInto(field, Input("plain-file/sub"));
    ASSERT_TRUE(RunEventsUntil([&] { return !Find("CDoptionsNext")->isEnabled(); }));
    EXPECT_NE(Find<QLabel>("CDoptionsFolderNote")->text().toStdString().find("is not a folder"), std::string::npos);
    // Typing an existing folder wakes Next again, the focus still in the field.
    TypeInto(field, Input("out-watch"));
    ASSERT_TRUE(RunEventsUntil([&] { return Find("CDoptionsNext")->isEnabled(); }));
    EXPECT_TRUE(Find<QLabel>("CDoptionsFolderNote")->text().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), field);
    EXPECT_TRUE(dialogs->messages.empty() && dialogs->questions.empty());
}

TEST_F(TypedPaths, OnTheFilePageNextWakesWhileTypingAndTheDestinationFollowsTheSource)
{
    WritePcmWave(Input("song.wav"), 16, 2, 44100, PatternBytes(4410 * 4));
    WritePcmWave(Input("long.wav"), 16, 2, 44100, PatternBytes(4410 * 4));
    Click("IEButton1");
    Click("SelSourceNext");
    auto* input = Find<QLineEdit>("SelWavInput");
    auto* output = Find<QLineEdit>("SelWavOutput");
    TypeInto(input, Input("song.wav"));
    ASSERT_TRUE(RunEventsUntil([&] { return Find("SelWavNext")->isEnabled(); }));
    EXPECT_EQ(QApplication::focusWidget(), input);
    EXPECT_EQ(output->text().toStdString(), Input("song.mp3"));

    // A new source brings its own destination, picked or typed.
    dialogs->openAnswers.push_back(Input("long.wav"));
    Click("SelWavBrowseInput");
    Activate();
    EXPECT_EQ(output->text().toStdString(), Input("long.mp3"));
    TypeInto(input, Input("song.wav"));
    ASSERT_TRUE(RunEventsUntil([&] { return output->text().toStdString() == Input("song.mp3"); }));

    // A destination in a folder that is not there is told at once and holds Next.
    TypeInto(output, Input("nowhere/song.mp3"));
    ASSERT_TRUE(RunEventsUntil([&] { return !Find("SelWavNext")->isEnabled(); }));
    EXPECT_EQ(Find<QLabel>("SelWavOutputNote")->text().toStdString(), "There is no folder " + Input("nowhere"));
    // The user's own destination stays when the source changes; cleared, it is proposed again.
    dialogs->openAnswers.push_back(Input("long.wav"));
    Click("SelWavBrowseInput");
    Activate();
    EXPECT_EQ(output->text().toStdString(), Input("nowhere/song.mp3"));
    TypeInto(output, "");
    ASSERT_TRUE(RunEventsUntil([&] { return output->text().toStdString() == Input("long.mp3"); }));
    EXPECT_TRUE(Find<QLabel>("SelWavOutputNote")->text().isEmpty());
    EXPECT_TRUE(Find("SelWavNext")->isEnabled());
    EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();
}

TEST_F(TypedPaths, TheCdPagesNameTheFilesByTheTemplateAndGrowWithTheWindow)
{
    // The default template keeps the page's own sentence.
    Click("IEButton3");
    Click("SelSourceNext");
    ASSERT_TRUE(RunEventsUntil([&] { return !state.discLookupRunning; }));
    auto* list = Find<QListWidget>("selCDTracks");
    const int listWidth = list->width();
    Click("selCDSelectAll");
    Click("selCDNext");
    Click("SelCDrecNext");
    EXPECT_EQ(Find<QLabel>("CDoptionsNaming")->text(), "Files will be named Track1, Track2, Track3 etc.");

    // Another template names the first tracks as the run will.
    ProfileFile::Settings().WriteString("METADATA", "FileNames", "%N - Song %n");
    Click("BtnBack");
    Click("SelCDrecNext");
    EXPECT_EQ(Find<QLabel>("CDoptionsNaming")->text(), "Files will be named 01 - Song 1, 02 - Song 2.");
    EXPECT_TRUE(Find("CDoptionsNext")->isEnabled()) << "the folder is there after Back and Next";

    // A long line is cut in its middle with the whole of it on hover, never scrolled sideways;
    // a larger window gives the pages the room.
    Click("BtnBack");
    Click("BtnBack");
    ASSERT_EQ(CurrentPageName(), "selCD");
    list->item(0)->setText(list->item(0)->text() + "  " + QString(80, 'x') + " the end");
    EXPECT_EQ(list->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(list->textElideMode(), Qt::ElideMiddle);
    const QRect row = list->visualItemRect(list->item(0));
    EXPECT_LE(row.width(), list->viewport()->width());
    QHelpEvent hover(QEvent::ToolTip, row.center(), list->viewport()->mapToGlobal(row.center()));
    QApplication::sendEvent(list->viewport(), &hover);
    EXPECT_EQ(QToolTip::text(), list->item(0)->text());
    QToolTip::hideText();
    form1->resize(form1->width() * 2, form1->height() * 3 / 2);
    QApplication::processEvents();
    EXPECT_GE(list->width(), listWidth * 2 - 2);
    EXPECT_TRUE(Find("selCDNext")->geometry().bottom() > form1->height() * 2 / 3) << "Next stays at the bottom";
}
