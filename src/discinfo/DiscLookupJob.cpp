#include "discinfo/DiscLookupJob.h"

#include "platform/cd/DiscId.h"

#include <QCoreApplication>
#include <exception>

DiscLookupJob::DiscLookupJob(LookupSettings settings, Outcome outcome, Finished finished)
    : settings_(std::move(settings)), outcome_(std::move(outcome))
{
    StartWorker([this] { Run(); },
                [this, finished = std::move(finished)] {
                    // Handed over by value: the owner may end the job inside the call.
                    std::string discId = foundId_;
                    LookupResult result = std::move(result_);
                    if (finished)
                        finished(discId, std::move(result));
                });
}

DiscLookupJob::~DiscLookupJob()
{
    CancelAndWait();
}

// Worker thread.
void DiscLookupJob::Run()
{
    const auto tell = [this](const std::string& line) {
        PostToOwner([this, line] {
            if (outcome_)
                outcome_(line);
        });
    };
    try {
        std::unique_ptr<CdDisc> disc = CdDisc::OpenConfigured(settings_.cdDevice);
        if (!disc->DiscPresent())
            return;
        const DiscIdentity id = IdentifyDisc(disc->Tracks(), disc->LeadOutSector());
        const CdText text = disc->ReadCdText();
        disc.reset();
        PostToOwner([this, discId = id.musicBrainzId,
                     details = DetailsFromCdText(text, id.firstTrack, id.TrackCount())] {
            discId_ = discId;
            cdText_ = details;
        });
        LookupResult result = LookUpDisc(id, text, settings_, CancelFlag(), tell);
        result_ = std::move(result);
        foundId_ = id.musicBrainzId;
    } catch (const std::exception& e) {
        // A disc that cannot be identified is still ripped, without found details.
        tell(QCoreApplication::translate("DiscLookup", "No details: %1")
                 .arg(QString::fromStdString(e.what()))
                 .toStdString());
    }
}
