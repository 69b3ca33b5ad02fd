// Start-up: the time from launching the program to its first window painted, and the
// resident memory (VmRSS) of the wizard idling on its first page, with the FluidR3 General
// MIDI font installed (the font the program picks first) against a start without a sound
// font (SOUNDCARD_SETUP SoundFont naming a file that does not exist, so the synthesiser line
// is absent). Goals with FluidR3: at most 0.2 s to the first window, at most 60 MB idle.
//
// Each run starts this program again as a child that builds the program exactly as `main`
// does (the sound card, the wizard, the hidden window, the details dialog; the real dialogs
// and error report) on the offscreen platform, with its own settings and cache folders. The
// child reports the moment its window has painted for the first time and, after a second of
// idling, its VmRSS; the launch is timed from just before the fork. The runs are paired
// (FluidR3, none, none, FluidR3, ...) so the load of the machine falls on both sides alike;
// each side prints its median with the min-max range, and also the CPU time the child had
// used by its first window, which the other work of a busy machine does not inflate. After
// the idle measurement the FluidR3 child loads its font as the MIDI road would and reports
// the load time and the memory after it.
//
//   bench_startup [pairs]     default: 7
//
// FluidR3 comes with Debian's fluid-soundfont-gm package (apt-get install fluid-soundfont-gm);
// without it the bench says so and stops.
#include "app/AppSetup.h"
#include "app/Unit1.h"
#include "platform/midi/MidiSynth.h"
#include "platform/midi/SoundFont.h"
#include "platform/os/ErrorReport.h"
#include "support/ResidentMemory.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <utility>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {
constexpr int kDefaultPairs = 7;
constexpr int kIdleMs = 1000;

std::int64_t monotonicNs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return std::int64_t{t.tv_sec} * 1000000000 + t.tv_nsec;
}

// This process's user and system time so far, all threads.
double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Notes the end of the window's first paint: the event after it in the queue.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(std::function<void()> then) : then_(std::move(then)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && then_) {
            QTimer::singleShot(0, watched, std::exchange(then_, nullptr));
        }
        return false;
    }

private:
    std::function<void()> then_;
};

// The child: the program's own start, then "<first paint ns> <CPU seconds by then> <VmRSS
// KiB>" into `report`.
int runChild(char** argv, int report)
{
    int argc = 1;  // the program's name only; QApplication keeps a reference to it
    QApplication app(argc, argv);
    QApplication::setApplicationName("Mervane");
    InstallApplicationReport();
    WizardProgram program;
    TForm1* form1 = program.form1.get();
    std::int64_t painted = 0;
    double cpu = 0;
    FirstPaint filter([&] {
        painted = monotonicNs();
        cpu = cpuSeconds();
        QTimer::singleShot(kIdleMs, &app, [&] {
            const long idle = ResidentKiB();
            // Then what taking the MIDI road costs: the font's load, as the MIDI file page
            // has it done (here on this thread, to time it alone), and the memory after it.
            double loadSeconds = 0;
            if (MidiSynth* synth = MidiSynth::Current()) {
                const std::int64_t from = monotonicNs();
                std::string error;
                if (!synth->LoadFont(error))
                    std::fprintf(stderr, "bench_startup: %s\n", error.c_str());
                loadSeconds = static_cast<double>(monotonicNs() - from) / 1e9;
            }
            const std::string line = std::to_string(painted) + " " + std::to_string(cpu) + " " + std::to_string(idle) +
                                     " " + std::to_string(loadSeconds) + " " + std::to_string(ResidentKiB()) + "\n";
            if (::write(report, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
                std::perror("bench_startup: report");
            QApplication::quit();
        });
    });
    form1->installEventFilter(&filter);
    form1->show();
    const int result = QApplication::exec();
    form1->removeEventFilter(&filter);
    return result;
}

struct Sample {
    double seconds = 0;
    double cpuSeconds = 0;
    double megabytes = 0;
    double loadSeconds = 0;
    double loadedMegabytes = 0;
};

// One launch with the settings file `ini` (empty: none) in a fresh home of its own.
bool launch(const std::string& self, const std::string& ini, Sample& sample)
{
    char pattern[] = "/tmp/bench_startup.XXXXXX";
    if (!::mkdtemp(pattern))
        return false;
    const fs::path home(pattern);
    fs::create_directories(home / "config/mervane");
    if (!ini.empty())
        std::ofstream(home / "config/mervane/MERVANE2.INI") << ini;
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return false;
    const std::int64_t start = monotonicNs();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(pipeFds[0]);
        ::setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
        ::setenv("XDG_CACHE_HOME", (home / "cache").c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", home.c_str(), 1);
        if (std::getenv("QT_QPA_PLATFORM") == nullptr)
            ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        const std::string fd = std::to_string(pipeFds[1]);
        ::execl(self.c_str(), self.c_str(), "--child", fd.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    ::close(pipeFds[1]);
    std::string reply;
    char buffer[128];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        reply.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    fs::remove_all(home);
    long long painted = 0;
    long kib = 0, loadedKib = 0;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        std::sscanf(reply.c_str(), "%lld %lf %ld %lf %ld", &painted, &sample.cpuSeconds, &kib, &sample.loadSeconds,
                    &loadedKib) != 5)
        return false;
    sample.seconds = static_cast<double>(painted - start) / 1e9;
    sample.megabytes = static_cast<double>(kib) / 1024;
    sample.loadedMegabytes = static_cast<double>(loadedKib) / 1024;
    return true;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::string summary(const std::vector<double>& v, const char* format)
{
    char text[128];
    std::snprintf(text, sizeof text, format, median(v), *std::min_element(v.begin(), v.end()),
                  *std::max_element(v.begin(), v.end()));
    return text;
}

struct Side {
    const char* name;
    std::string ini;
    std::vector<double> seconds, cpuSeconds, megabytes, loadSeconds, loadedMegabytes;
};
}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--child")
        return runChild(argv, std::atoi(argv[2]));

    const int pairs = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultPairs;
    const std::string fluidR3 = FindSoundFont("");
    if (fluidR3.find("FluidR3_GM") == std::string::npos) {
        std::fprintf(stderr, "The FluidR3 font is not installed (the program would pick \"%s\"): "
                             "apt-get install fluid-soundfont-gm\n", fluidR3.c_str());
        return 2;
    }
    const std::string self = fs::canonical("/proc/self/exe").string();
    Side sides[2] = {{"FluidR3", "", {}, {}, {}, {}, {}},
                     {"no font", "[SOUNDCARD_SETUP]\nSoundFont=/nonexistent/no-font.sf2\n", {}, {}, {}, {}, {}}};
    std::printf("%d paired launches on %s; the program picks %s\n", pairs,
                std::getenv("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "offscreen", fluidR3.c_str());
    // A launch of each first, unmeasured, so the libraries and the font are in the page cache
    // for every measured run.
    for (Side& side : sides) {
        Sample warm;
        if (!launch(self, side.ini, warm)) {
            std::fprintf(stderr, "the program did not start (%s)\n", side.name);
            return 1;
        }
    }
    for (int pair = 0; pair < pairs; ++pair) {
        for (int k = 0; k < 2; ++k) {
            Side& side = sides[(pair + k) % 2];
            Sample s;
            if (!launch(self, side.ini, s)) {
                std::fprintf(stderr, "the program did not start (%s)\n", side.name);
                return 1;
            }
            side.seconds.push_back(s.seconds);
            side.cpuSeconds.push_back(s.cpuSeconds);
            side.loadSeconds.push_back(s.loadSeconds);
            side.loadedMegabytes.push_back(s.loadedMegabytes);
            side.megabytes.push_back(s.megabytes);
        }
    }
    // The CPU time the child spent until its first window (all its threads) does not count
    // the time other processes of a busy machine took from it.
    std::printf("medians (min-max)  %-22s  %-22s  %s\n", "first window, s", "CPU by then, s", "idle VmRSS, MB");
    for (const Side& side : sides)
        std::printf("%-17s  %-22s  %-22s  %s\n", side.name, summary(side.seconds, "%.3f (%.3f-%.3f)").c_str(),
                    summary(side.cpuSeconds, "%.3f (%.3f-%.3f)").c_str(),
                    summary(side.megabytes, "%.1f (%.1f-%.1f)").c_str());
    // With FluidSynth's dynamic sample loading the font's tables are read, not its samples.
    std::printf("FluidR3 loaded afterwards (the MIDI road): %s s, then VmRSS %s MB\n",
                summary(sides[0].loadSeconds, "%.3f (%.3f-%.3f)").c_str(),
                summary(sides[0].loadedMegabytes, "%.1f (%.1f-%.1f)").c_str());
    const double seconds = median(sides[0].seconds), megabytes = median(sides[0].megabytes);
    std::printf("goals with FluidR3: first window %.3f s <= 0.2 s %s; idle %.1f MB <= 60 MB %s\n", seconds,
                seconds <= 0.2 ? "met" : "MISSED", megabytes, megabytes <= 60 ? "met" : "MISSED");
    return 0;
}
