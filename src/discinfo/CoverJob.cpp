#include "discinfo/CoverJob.h"

#include "platform/os/MessageTarget.h"

#include <exception>

CoverJob::CoverJob(std::string discId, DiscDetails release, LookupSettings settings, Done done)
    : discId_(std::move(discId)),
      release_(std::move(release)),
      settings_(std::move(settings)),
      done_(std::make_shared<Done>(std::move(done)))
{
    thread_ = std::thread([this, weak = std::weak_ptr<Done>(done_)] { Run(weak); });
}

CoverJob::~CoverJob()
{
    cancel_ = true;
    done_.reset();
    if (thread_.joinable())
        thread_.join();
}

void CoverJob::Run(std::weak_ptr<Done> done)
{
    FoundCover found;
    try {
        found = FindCover(discId_, release_, settings_, cancel_);
    } catch (const std::exception& e) {
        // A cover is never worth stopping for: the run goes on without one.
        found = {nullptr, std::string("Cover: none (") + e.what() + ")"};
    }
    PostToMainThread([done, found = std::move(found)]() mutable {
        if (const auto d = done.lock())
            (*d)(std::move(found));
    });
}
