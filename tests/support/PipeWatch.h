#pragma once
// A named pipe with a writer waiting on its other side for as long as the object lives:
// whenever the program opens the pipe for reading, the writer's open returns at once and
// the pipe reads as empty, so a program that opens it cannot hang the test, and the test
// can tell that it was opened. The writer runs on a thread of its own.
#include <atomic>
#include <string>
#include <thread>

class PipeWatch {
public:
    explicit PipeWatch(std::string path);
    ~PipeWatch();
    PipeWatch(const PipeWatch&) = delete;
    PipeWatch& operator=(const PipeWatch&) = delete;

    // How often the program opened the pipe for reading. Any thread.
    int OpenedByProgram() const { return opened_; }

private:
    std::string path_;
    std::string own_;  // a second name of the same pipe
    std::atomic<bool> stop_{false};
    std::atomic<int> opened_{0};
    std::thread writer_;
};
