#include "app/DiscLookupJob.h"

#include "platform/cd/DiscId.h"
#include "platform/os/MessageTarget.h"

#include <exception>

DiscLookupJob::DiscLookupJob(LookupSettings settings, Outcome outcome, Done done)
    : settings_(std::move(settings)),
      callbacks_(std::make_shared<Callbacks>(Callbacks{std::move(outcome), std::move(done)}))
{
    thread_ = std::thread([this, weak = std::weak_ptr<Callbacks>(callbacks_)] { Run(weak); });
}

DiscLookupJob::~DiscLookupJob()
{
    cancel_ = true;
    callbacks_.reset();
    if (thread_.joinable())
        thread_.join();
}

void DiscLookupJob::Run(std::weak_ptr<Callbacks> callbacks)
{
    const auto tell = [callbacks](const std::string& line) {
        PostToMainThread([callbacks, line] {
            if (const auto c = callbacks.lock())
                c->outcome(line);
        });
    };
    const auto finish = [callbacks](std::string discId, LookupResult result) {
        PostToMainThread([callbacks, discId = std::move(discId), result = std::move(result)]() mutable {
            if (const auto c = callbacks.lock())
                c->done(discId, std::move(result));
        });
    };
    try {
        std::unique_ptr<CdDisc> disc = CdDisc::OpenConfigured();
        if (!disc->DiscPresent()) {
            finish({}, {});
            return;
        }
        const DiscIdentity id = IdentifyDisc(disc->Tracks(), disc->LeadOutSector());
        const CdText text = disc->ReadCdText();
        disc.reset();
        LookupResult result = LookUpDisc(id, text, settings_, cancel_, tell);
        finish(id.musicBrainzId, std::move(result));
    } catch (const std::exception& e) {
        // A disc that cannot be identified is still ripped, without found details.
        tell(std::string("No details: ") + e.what());
        finish({}, {});
    }
}
