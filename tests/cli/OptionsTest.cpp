// The command line's parser, its output plan and the manual page made from its table.
#include "cli/Batch.h"
#include "cli/Options.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>

namespace {
CliOptions Parse(std::vector<std::string> args)
{
    return ParseCommandLine(args);
}
}  // namespace

TEST(CliOptions, ParsesEncoderTagAndWorkerOptionsAndPassesOnlyTheWorkersOnes)
{
    const CliOptions c = Parse({"wave", "-b", "320", "--genre", "hard rock", "--year=2001", "-j", "3", "--json", "-o",
                                "out", "--", "-odd.wav", "b.wav"});
    EXPECT_EQ(c.command, "wave");
    EXPECT_EQ(c.inputs, (std::vector<std::string>{"-odd.wav", "b.wav"}));
    ASSERT_TRUE(c.bitRateIndex);
    EXPECT_EQ(*c.bitRateIndex, 13);
    EXPECT_EQ(c.details.genre, 79);
    EXPECT_EQ(c.details.year, 2001);
    EXPECT_EQ(c.details.track, 0) << "no track number unless one is given";
    EXPECT_EQ(c.jobs, 3);
    // A worker gets the encoder and tag options, never the parent's -o, -j or report options.
    EXPECT_EQ(c.passOn, (std::vector<std::string>{"--bitrate", "320", "--genre", "hard rock", "--year", "2001"}));

    const EncoderSettings vbr = ApplyEncoderOptions(Parse({"midi", "-V", "4", "--container", "mp3", "x.mid"}), {});
    EXPECT_TRUE(vbr.vbr && vbr.mp3Container);
    EXPECT_EQ(vbr.vbrQuality, 4);
    EncoderSettings fromFile;
    fromFile.vbr = true;
    EXPECT_FALSE(ApplyEncoderOptions(Parse({"wave", "-b", "128", "x.wav"}), fromFile).vbr) << "-b means constant";
}

TEST(CliOptions, RefusesWhatItCannotDo)
{
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{}, {"wave"}, {"encode", "x"}, {"wave", "-b", "100", "x.wav"},
                                               {"wave", "-b", "128", "-V", "2", "x.wav"}, {"wave", "--year", "1800", "x"},
                                               {"wave", "--genre", "Polka2", "x"}, {"wave", "x", "-o"},
                                               {"cd", "x.wav"}, {"record", "-o", "x.mp3"}, {"wave", "--joint=1", "x"},
                                               {"cd", "--tracks", "4294967297"}, {"wave", "--real-time", "x"},
                                               {"cd", "--cover", "a.png", "--no-cover"}})
        EXPECT_THROW(Parse(args), CliUsageError) << (args.empty() ? "" : args.front()) << " " << args.size();
    EXPECT_EQ(ParseTrackList("1,3-5,9"), (std::vector<int>{1, 3, 4, 5, 9}));
    // A number too big for an int is refused, never wrapped round to a small track.
    for (const char* bad : {"", "0", "5-3", "3-", "1,,2", "2 -4", "100", "4294967297", "1-4294967298", "+3", "3x"})
        EXPECT_THROW(ParseTrackList(bad), CliUsageError) << bad;
}

TEST(CliOptions, OutputsGoBesideTheInputIntoAFolderOrToTheFileNamed)
{
    TempDir dir;
    EXPECT_EQ(PlanOutputs(Parse({"wave", "/m/a.b/song.wav", "/m/x"})), (std::vector<std::string>{"/m/a.b/song.mp3", "/m/x.mp3"}));
    EXPECT_EQ(PlanOutputs(Parse({"wave", "a.wav", "-o", dir.File("one.mp3")})), std::vector<std::string>{dir.File("one.mp3")});
    // Several inputs, or a folder: the folder is made and each input keeps its name.
    EXPECT_EQ(PlanOutputs(Parse({"wave", "/in/a.wav", "/in/b.wav", "-o", dir.File("new")})),
              (std::vector<std::string>{dir.File("new/a.mp3"), dir.File("new/b.mp3")}));
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("new")));
    EXPECT_EQ(PlanOutputs(Parse({"wave", "/in/a.wav", "-o", dir.Path()})), std::vector<std::string>{dir.File("a.mp3")});
    EXPECT_THROW(PlanOutputs(Parse({"wave", "/in/a.wav", "/other/a.wav", "-o", dir.Path()})), CliUsageError);
    std::ofstream(dir.File("file.mp3")) << "x";
    EXPECT_THROW(PlanOutputs(Parse({"wave", "a.wav", "b.wav", "-o", dir.File("file.mp3")})), CliUsageError);
}

TEST(CliOptions, ManualPageAndHelpListEveryOptionOfTheTable)
{
    const std::string man = ManPage();
    const std::string help = HelpText();
    for (const OptionEntry& o : OptionTable()) {
        std::string escaped;
        for (const char ch : std::string(o.longName))
            escaped += ch == '-' ? std::string("\\-") : std::string(1, ch);
        EXPECT_NE(man.find("\\fB" + escaped + "\\fR"), std::string::npos) << o.longName;
        EXPECT_NE(help.find(o.longName), std::string::npos) << o.longName;
    }
    // No line of running text may start with a roff control character.
    std::istringstream lines(man);
    for (std::string line; std::getline(lines, line);)
        EXPECT_FALSE(line.starts_with("'")) << line;
}
