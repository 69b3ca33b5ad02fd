#include "platform/os/StopSignals.h"

#include "platform/os/ErrorReport.h"

#include <QSocketNotifier>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace {
constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

// The pipe's write end while an object is installed; read by the handler.
std::atomic<int> signalPipe{-1};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void onStopSignal(int number)
{
    const int saved = errno;
    const int fd = signalPipe.load();
    if (fd >= 0) {
        const char byte = static_cast<char>(number);
        [[maybe_unused]] const ssize_t n = ::write(fd, &byte, 1);  // a full pipe has news enough
    }
    errno = saved;
}
}  // namespace

struct StopSignals::Saved {
    struct sigaction actions[std::size(kSignals)] {};
};

StopSignals::StopSignals(std::function<void()> stop) : saved_(std::make_unique<Saved>()), stop_(std::move(stop))
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::runtime_error("Unable to watch for stop signals: the pipe could not be made");
    readEnd_ = ends[0];
    writeEnd_ = ends[1];
    signalPipe.store(writeEnd_);
    notifier_ = std::make_unique<QSocketNotifier>(readEnd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
        char bytes[16];
        while (::read(readEnd_, bytes, sizeof bytes) > 0) {
        }
        Guarded([&] { stop_(); });
    });
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        sigaction(kSignals[i], &action, &saved_->actions[i]);
}

StopSignals::~StopSignals()
{
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        sigaction(kSignals[i], &saved_->actions[i], nullptr);
    signalPipe.store(-1);
    notifier_.reset();
    ::close(readEnd_);
    ::close(writeEnd_);
}
