// Two running instances of the program convert at the same time: each keeps its temporary
// wave file in a folder of its own, removes it at exit, and the folder of an instance that
// died is swept by the next start. Each instance is a child process running this test
// program's wizard through its widgets, with the program's own start and temporary folder.
#include "app/WizardFixture.h"
#include "platform/os/InstanceFolder.h"
#include "platform/os/Paths.h"
#include "support/AudioOracles.h"
#include "support/WaveFixtures.h"

#include <QProgressBar>
#include <cmath>
#include <csignal>
#include <numbers>
#include <fcntl.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sndfile.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {
constexpr unsigned kRate = 8000;  // not the encoder's rate: the wave is converted first

// The child's side of the conversation with the test: lines on one pipe, a go on another.
void Report(const std::string& line)
{
    const int fd = std::atoi(std::getenv("MERVANE_CHILD_REPORT_FD"));
    const std::string text = line + "\n";
    ASSERT_EQ(::write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
}

void WaitForGo()
{
    char c = 0;
    ASSERT_EQ(::read(std::atoi(std::getenv("MERVANE_CHILD_GO_FD")), &c, 1), 1);
}

// One program instance: started, driven and watched by the test.
struct Instance {
    pid_t pid = -1;
    int report = -1;  // read end of the child's report pipe
    int go = -1;      // write end of the child's go pipe
    std::string log;

    ~Instance()
    {
        if (pid > 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
        for (int fd : {report, go})
            if (fd >= 0)
                ::close(fd);
    }

    // The next line the child reports; empty when it ended without one.
    std::string ReadLine()
    {
        std::string line;
        char c = 0;
        while (::read(report, &c, 1) == 1 && c != '\n')
            line += c;
        return line;
    }

    void Go() { ASSERT_EQ(::write(go, "g", 1), 1); }

    // The exit status; 0 when the child's wizard did its job without a message.
    int Wait()
    {
        int status = 0;
        ::waitpid(pid, &status, 0);
        pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    std::string Log() const
    {
        std::ifstream in(log);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

std::unique_ptr<Instance> Start(const TempDir& dir, const std::string& name, const std::string& input, bool pause)
{
    auto instance = std::make_unique<Instance>();
    int report[2], go[2];
    if (::pipe(report) != 0 || ::pipe(go) != 0)
        return nullptr;
    instance->report = report[0];
    instance->go = go[1];
    // The test's own ends stay out of the other instances started later.
    ::fcntl(report[0], F_SETFD, FD_CLOEXEC);
    ::fcntl(go[1], F_SETFD, FD_CLOEXEC);
    instance->log = dir.File(name + ".log");

    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        if (entry.rfind("XDG_CACHE_HOME=", 0) != 0 && entry.rfind("GTEST_", 0) != 0)
            env.push_back(entry);
    }
    env.push_back("XDG_CACHE_HOME=" + dir.File("cache"));
    env.push_back("MERVANE_CHILD_INPUT=" + input);
    env.push_back("MERVANE_CHILD_PAUSE=" + std::string(pause ? "1" : "0"));
    env.push_back("MERVANE_CHILD_REPORT_FD=" + std::to_string(report[1]));
    env.push_back("MERVANE_CHILD_GO_FD=" + std::to_string(go[0]));
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    std::vector<std::string> args = {self, "--gtest_filter=InstanceChild.DISABLED_*", "--gtest_also_run_disabled_tests"};
    std::vector<char*> argv, envp;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    const int logFd = ::open(instance->log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    instance->pid = ::fork();
    if (instance->pid == 0) {
        ::dup2(logFd, 1);
        ::dup2(logFd, 2);
        ::close(report[0]);
        ::close(go[1]);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(logFd);
    ::close(report[1]);
    ::close(go[0]);
    return instance;
}

// The power of one frequency in a decoded channel (Goertzel), the first and last second left out.
double PowerAt(const DecodedMp3& d, double frequency)
{
    const double w = 2 * std::numbers::pi * frequency / d.rate;
    double s1 = 0, s2 = 0;
    for (long i = d.rate; i < d.Frames() - d.rate; ++i) {
        const double s = d.pcm[static_cast<std::size_t>(i * d.channels)] + 2 * std::cos(w) * s1 - s2;
        s2 = s1;
        s1 = s;
    }
    return s1 * s1 + s2 * s2 - 2 * std::cos(w) * s1 * s2;
}

bool Exists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

// The instance inside the child process: the program's start, then the wave road through
// the widgets with the instance's own temporary folder (no test override).
class InstanceChild : public WizardTest {};
}  // namespace

TEST_F(InstanceChild, DISABLED_RunsTheWaveRoadAsTheProgram)
{
    SetTemporaryFolderOverride("");
    OpenInstanceFolder();  // what the program's start does
    Report("folder " + TemporaryFolder());
    bool paused = false;
    if (std::string(std::getenv("MERVANE_CHILD_PAUSE")) == "1")
        QObject::connect(Find<QProgressBar>("MMGauge2"), &QProgressBar::valueChanged, [&](int percent) {
            if (percent < 50 || percent == 100 || paused)
                return;
            paused = true;
            Report("paused");
            WaitForGo();
        });
    StartEncoding(std::getenv("MERVANE_CHILD_INPUT"));
    ASSERT_TRUE(WaitForFinish());
    EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();
    Click("EncodeWavFinish");  // closes the wizard: the program ends
    EXPECT_TRUE(closedSignal);
}

TEST(TwoInstances, EachConvertsInItsOwnFolderAndADeadOnesFolderIsSweptAtTheNextStart)
{
    TempDir dir;
    const std::string first = dir.File("first.wav");
    const std::string second = dir.File("second.wav");
    ASSERT_TRUE(SndWriteShorts(first, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, kRate, Tone(kRate, {440}, kRate * 20)));
    ASSERT_TRUE(SndWriteShorts(second, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, kRate, Tone(kRate, {1000}, kRate * 6)));
    ASSERT_TRUE(SndWriteShorts(dir.File("dying.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, kRate,
                               Tone(kRate, {300}, kRate * 20)));
    const std::string instances = dir.File("cache") + "/mervane/";

    // The first instance stops halfway through its conversion.
    auto a = Start(dir, "a", first, true);
    ASSERT_TRUE(a);
    const std::string folderA = a->ReadLine().substr(7);
    ASSERT_EQ(a->ReadLine(), "paused") << a->Log();
    EXPECT_EQ(folderA.rfind(instances, 0), 0u) << folderA;
    EXPECT_TRUE(Exists(folderA + "mp3tmp.wav"));

    // An instance that dies in the middle of its conversion leaves its folder behind.
    auto dying = Start(dir, "dying", dir.File("dying.wav"), true);
    const std::string folderDead = dying->ReadLine().substr(7);
    ASSERT_EQ(dying->ReadLine(), "paused") << dying->Log();
    ::kill(dying->pid, SIGKILL);
    dying->Wait();
    ASSERT_TRUE(Exists(folderDead + "mp3tmp.wav"));
    EXPECT_NE(folderDead, folderA);

    // A second instance runs its whole job meanwhile.
    auto b = Start(dir, "b", second, false);
    const std::string folderB = b->ReadLine().substr(7);
    EXPECT_EQ(b->Wait(), 0) << b->Log();
    EXPECT_NE(folderB, folderA);
    EXPECT_FALSE(Exists(folderDead)) << "the next start sweeps the folder of the instance that died";
    EXPECT_FALSE(Exists(folderB)) << "the folder goes when the instance ends";
    EXPECT_TRUE(Exists(folderA + "mp3tmp.wav")) << "a living instance's file is left alone";

    a->Go();
    EXPECT_EQ(a->Wait(), 0) << a->Log();
    EXPECT_FALSE(Exists(folderA));

    // Each MP3 holds its own instance's audio, in full.
    const DecodedMp3 mp3A = DecodeMp3File(dir.File("first.mp3"));
    const DecodedMp3 mp3B = DecodeMp3File(dir.File("second.mp3"));
    ASSERT_EQ(mp3A.rate, 44100);
    ASSERT_EQ(mp3B.rate, 44100);
    EXPECT_NEAR(mp3A.Frames(), 44100 * 20, 3 * kMp3FrameSamples);
    EXPECT_NEAR(mp3B.Frames(), 44100 * 6, 3 * kMp3FrameSamples);
    EXPECT_GT(PowerAt(mp3A, 440), 100 * PowerAt(mp3A, 1000)) << "the first file holds its own tone";
    EXPECT_GT(PowerAt(mp3B, 1000), 100 * PowerAt(mp3B, 440)) << "the second file holds its own tone";
}
