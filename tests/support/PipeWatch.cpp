#include "support/PipeWatch.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

PipeWatch::PipeWatch(std::string path) : path_(std::move(path)), own_(path_ + ".watched-pipe")
{
    EXPECT_EQ(::mkfifo(path_.c_str(), 0644), 0) << path_;
    // The watcher reaches the pipe through a second name of its own, so it still finds it
    // when the program replaces the first name by a file.
    EXPECT_EQ(::link(path_.c_str(), own_.c_str()), 0) << own_;
    writer_ = std::thread([this] {
        while (!stop_) {
            const int fd = ::open(own_.c_str(), O_WRONLY | O_CLOEXEC);  // waits for a reader
            if (!stop_)
                ++opened_;
            if (fd >= 0)
                ::close(fd);
        }
    });
}

PipeWatch::~PipeWatch()
{
    // Our own reader keeps every open of the writer from waiting while it stops.
    stop_ = true;
    const int reader = ::open(own_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    writer_.join();
    if (reader >= 0)
        ::close(reader);
    ::unlink(own_.c_str());
}
