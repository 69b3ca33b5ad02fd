#include "platform/Errors.h"
#include "platform/os/ErrorReport.h"
#include "platform/os/MessageTarget.h"
#include "platform/os/ProfileFile.h"
#include "support/TempDir.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <thread>
#include <vector>

namespace {
std::string slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The reports of one test, in the order they reached the main thread.
class Reports {
public:
    Reports() : previous_(SetErrorReporter([this](const std::string& t) { texts_.push_back(t); })) {}
    ~Reports() { SetErrorReporter(previous_); }
    const std::vector<std::string>& Texts()
    {
        ProcessMessages();
        return texts_;
    }

private:
    std::vector<std::string> texts_;
    ErrorReporter previous_;
};

std::size_t filesIn(const std::string& folder)
{
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}
}  // namespace

TEST(ProfileFile, MissingFileSectionOrKeyGivesTheDefault)
{
    TempDir dir;
    ProfileFile ini(dir.File("none/MERVANE2.INI"));
    EXPECT_EQ(ini.ReadInteger("RECORD_LEVEL", "MIDI", 50000), 50000);
    EXPECT_EQ(ini.ReadString("RECORD_LEVEL", "MIDI", "x"), "x");

    std::ofstream(dir.File("a.ini")) << "[OTHER]\nMIDI=7\n[RECORD_LEVEL]\nCD=abc\n";
    ProfileFile file(dir.File("a.ini"));
    EXPECT_EQ(file.ReadInteger("RECORD_LEVEL", "MIDI", 50000), 50000) << "key of another section";
    EXPECT_EQ(file.ReadInteger("RECORD_LEVEL", "CD", 50000), 50000) << "no number";
    EXPECT_EQ(file.ReadInteger("OTHER", "MIDI", 0), 7);
}

TEST(ProfileFile, SectionsAndKeysCompareCaseInsensitively)
{
    TempDir dir;
    std::ofstream(dir.File("a.ini")) << "[Record_Level]\r\n  mIdI = 1234xyz \r\nLine=-5\r\n";
    ProfileFile ini(dir.File("a.ini"));
    EXPECT_EQ(ini.ReadInteger("RECORD_LEVEL", "MIDI", 0), 1234);
    EXPECT_EQ(ini.ReadInteger("record_level", "LINE", 0), -5);

    ini.WriteInteger("RECORD_LEVEL", "midi", 99);
    EXPECT_EQ(ini.ReadInteger("RECORD_LEVEL", "MIDI", 0), 99);
    // The existing key was replaced, not duplicated.
    const std::string text = slurp(dir.File("a.ini"));
    EXPECT_EQ(text.find("mIdI"), std::string::npos);
    EXPECT_EQ(text.find("midi=99"), text.rfind("midi=99"));
}

TEST(ProfileFile, WritesCreateFolderFileSectionAndKeyAndKeepTheRest)
{
    TempDir dir;
    ProfileFile ini(dir.File("cfg/mervane/MERVANE2.INI"));
    ini.WriteInteger("RECORD_LEVEL", "CD", 123);
    ini.WriteString("SOUNDCARD", "DESTINATION_COUNT", "2");
    ini.WriteInteger("RECORD_LEVEL", "AUX", 7);
    EXPECT_EQ(ini.ReadInteger("RECORD_LEVEL", "CD", 0), 123);
    EXPECT_EQ(ini.ReadInteger("RECORD_LEVEL", "AUX", 0), 7);
    EXPECT_EQ(ini.ReadString("SOUNDCARD", "DESTINATION_COUNT", ""), "2");
    // AUX went into the existing section, not into a second one.
    const std::string text = slurp(ini.Path());
    EXPECT_EQ(text.find("[RECORD_LEVEL]"), text.rfind("[RECORD_LEVEL]"));
    EXPECT_LT(text.find("AUX=7"), text.find("[SOUNDCARD]"));
}

TEST(ProfileFile, EveryAccessSeesTheFileAsItIsNow)
{
    TempDir dir;
    ProfileFile ini(dir.File("a.ini"));
    ini.WriteInteger("S", "K", 1);
    std::ofstream(dir.File("a.ini")) << "[S]\nK=2\n";
    EXPECT_EQ(ini.ReadInteger("S", "K", 0), 2);
}

TEST(ProfileFile, RefusedWriteRaisesUnableToWrite)
{
    // A file standing where the folder should be refuses even root.
    TempDir dir;
    std::ofstream(dir.File("blocker")) << "x";
    ProfileFile ini(dir.File("blocker/MERVANE2.INI"));
    try {
        ini.WriteInteger("RECORD_LEVEL", "MIC", 1);
        FAIL() << "the write should have been refused";
    } catch (const EProfileWriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + ini.Path() + "\n" + ini.Path() + ": Not a directory");
    }
}

TEST(ProfileFile, SettingsFileFollowsXdgConfigHome)
{
    IsolatedSettings settings;
    EXPECT_EQ(ProfileFile::Settings().Path(), settings.SettingsFile());
}

TEST(ProfileFile, NamedPipesAtTheFilesPathsNeitherBlockNorCountAsSettings)
{
    TempDir dir;
    ProfileFile ini(dir.File("MERVANE2.INI"));
    // Nobody writes into these pipes: an open that waited for the other side would never return.
    ASSERT_EQ(::mkfifo(ini.Path().c_str(), 0644), 0);
    ASSERT_EQ(::mkfifo((ini.Path() + ".new").c_str(), 0644), 0);
    EXPECT_EQ(ini.ReadInteger("RECORD_LEVEL", "MIC", 42), 42);
    ini.WriteInteger("RECORD_LEVEL", "MIC", 7);
    EXPECT_TRUE(std::filesystem::is_regular_file(ini.Path()));
    EXPECT_EQ(ini.ReadInteger("RECORD_LEVEL", "MIC", 42), 7);
}

TEST(ProfileFile, AFileThatCannotBeReadGivesDefaultsIsToldOnceAndIsNeverWrittenOver)
{
    TempDir dir;
    Reports reports;
    const std::string path = dir.File("MERVANE2.INI");
    // Over the size limit: as unreadable as one the system refuses, and refuses even root.
    std::string text = "[SOUNDCARD_SETUP]\r\nLineDevice=hw:1\r\n;";
    text.append(static_cast<std::size_t>(ProfileFile::kMaxSettingsFileSize), 'x');
    std::ofstream(path, std::ios::binary) << text;
    ProfileFile ini(path, ProfileFile::OnRefusedWrite::ReportOnce);
    EXPECT_EQ(ini.ReadString("SOUNDCARD_SETUP", "LineDevice", "default"), "default");
    ini.WriteInteger("RECORD_LEVEL", "MIC", 7);
    EXPECT_EQ(ini.ReadInteger("RECORD_LEVEL", "MIC", 42), 42);
    EXPECT_TRUE(slurp(path) == text) << "the file was written over";
    ASSERT_EQ(reports.Texts().size(), 1u);
    EXPECT_NE(reports.Texts()[0].find(path + ": larger than 1 MB"), std::string::npos) << reports.Texts()[0];

    ProfileFile raising(path);
    EXPECT_THROW(raising.WriteInteger("RECORD_LEVEL", "MIC", 7), EProfileWriteError);
    EXPECT_TRUE(slurp(path) == text);
}

TEST(ProfileFile, ARefusedWriteIsToldOnceUntilAWriteSucceedsAgain)
{
    TempDir dir;
    Reports reports;
    const std::string path = dir.File("MERVANE2.INI");
    std::filesystem::create_directory(path);  // a folder at the name refuses even root
    ProfileFile ini(path, ProfileFile::OnRefusedWrite::ReportOnce);
    ini.WriteInteger("RECORD_LEVEL", "MIC", 1);
    ini.WriteInteger("RECORD_LEVEL", "CD", 2);
    ASSERT_EQ(reports.Texts().size(), 1u);
    EXPECT_EQ(reports.Texts()[0], "Unable to write to " + path + "\n" + path + ": Is a directory");
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_EQ(filesIn(dir.Path()), 1u) << "a temporary file was left";

    std::filesystem::remove(path);
    ini.WriteInteger("RECORD_LEVEL", "MIC", 3);
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    ini.WriteInteger("RECORD_LEVEL", "MIC", 4);
    EXPECT_EQ(reports.Texts().size(), 2u);
}

TEST(ProfileFile, AReaderOnAnotherThreadNeverFindsTheFileMissingWhileItIsWritten)
{
    TempDir dir;
    ProfileFile ini(dir.File("MERVANE2.INI"));
    ini.WriteString("SOUNDCARD_SETUP", "CdDevice", "/dev/sr1");
    ASSERT_EQ(::chmod(ini.Path().c_str(), 0600), 0);

    std::atomic<bool> writing{true};
    std::atomic<int> reads{0}, defaults{0};
    std::thread reader([&] {
        const ProfileFile mine(ini.Path());
        while (writing.load() || reads.load() < 100) {
            if (mine.ReadString("SOUNDCARD_SETUP", "CdDevice", "") != "/dev/sr1")
                ++defaults;
            ++reads;
        }
    });
    for (int i = 0; i < 500; ++i)
        ini.WriteInteger("RECORD_LEVEL", "MIC", i);
    writing = false;
    reader.join();
    EXPECT_EQ(defaults.load(), 0) << "of " << reads.load() << " reads";
    EXPECT_EQ(ini.ReadInteger("RECORD_LEVEL", "MIC", -1), 499);
    struct stat st {};
    ASSERT_EQ(::stat(ini.Path().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u) << "the replacement keeps the file's permissions";
    EXPECT_EQ(filesIn(dir.Path()), 1u) << "a temporary file was left";
}

TEST(ProfileFile, WritersInSeveralProcessesAtOnceLoseNoKeyAndLeaveNoTemporaryFile)
{
    // As parallel command-line workers saving their mixer state into one settings file.
    TempDir dir;
    const std::string path = dir.File("MERVANE2.INI");
    constexpr int kWriters = 4;
    constexpr int kKeys = 40;
    std::vector<pid_t> writers;
    for (int w = 0; w < kWriters; ++w) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            int status = 0;
            try {
                ProfileFile ini(path);
                for (int k = 0; k < kKeys; ++k) {
                    ini.WriteInteger(std::to_string(w), std::to_string(k) + "_volume", k * kWriters + w);
                    ini.WriteInteger("SOUNDCARD", "DESTINATION_COUNT", w);
                }
            } catch (...) {
                status = 1;
            }
            ::_exit(status);
        }
        writers.push_back(pid);
    }
    for (const pid_t pid : writers) {
        int status = -1;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a writer failed";
    }
    const ProfileFile ini(path);
    int lost = 0;
    for (int w = 0; w < kWriters; ++w)
        for (int k = 0; k < kKeys; ++k)
            lost += ini.ReadInteger(std::to_string(w), std::to_string(k) + "_volume", -1) != k * kWriters + w;
    EXPECT_EQ(lost, 0) << "of " << kWriters * kKeys << " keys";
    EXPECT_EQ(filesIn(dir.Path()), 1u) << "a temporary file was left";
}

TEST(ProfileFile, AByteOrderMarkDoesNotHideTheFirstSection)
{
    TempDir dir;
    std::ofstream(dir.File("a.ini")) << "\xEF\xBB\xBF[CD]\r\nReadOffset=6\r\n[OTHER]\r\nK=1\r\n";
    ProfileFile ini(dir.File("a.ini"));
    EXPECT_EQ(ini.ReadInteger("CD", "ReadOffset", 0), 6);
    ini.WriteInteger("CD", "Jobs", 2);
    EXPECT_EQ(ini.ReadInteger("CD", "ReadOffset", 0), 6) << "a write keeps the first section";
    EXPECT_EQ(ini.ReadInteger("CD", "Jobs", 0), 2);
    EXPECT_EQ(slurp(ini.Path()).find("[CD]"), slurp(ini.Path()).rfind("[CD]"));
}
