#pragma once
// Runs an outside tool (or this bench again) as a child process and times it, for the
// benches' ratios against the tools that do the same job.
//
//   const ChildRun lame = RunChild({"lame", "--quiet", "-b", "128", "in.wav", "out.mp3"});
//   if (!lame.Ok()) ...;   lame.seconds;  lame.peakKiB;
#include <chrono>
#include <cstdio>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

struct ChildRun {
    double seconds = 0;  // wall-clock time from the start to the end of the child
    long peakKiB = 0;    // the child's peak resident memory
    double cpuSeconds = 0;  // the child's user and system time: steadier than the wall clock on a busy machine
    int status = 0;      // as waitpid reports it

    bool Ok() const { return WIFEXITED(status) && WEXITSTATUS(status) == 0; }
};

// Runs args[0], looked up in PATH, with the other arguments and waits for it. With
// quietErrors the child's error output goes to /dev/null (some tools talk even when asked
// to be quiet).
inline ChildRun RunChild(const std::vector<std::string>& args, bool quietErrors = false)
{
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (quietErrors && !std::freopen("/dev/null", "w", stderr))
            _exit(126);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    ChildRun run;
    rusage usage{};
    if (pid < 0 || wait4(pid, &run.status, 0, &usage) != pid)
        run.status = -1;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peakKiB = usage.ru_maxrss;
    run.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    return run;
}
