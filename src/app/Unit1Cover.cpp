// The run's front cover: the chosen release's, found on a worker once the disc's details
// are known, shown on selCD; the user's own picture or none, chosen in the wells of
// SingleTag and Multitag; handed to every track's details and written beside the files.
#include "app/Unit1.h"

#include "app/CoverWell.h"
#include "discinfo/CoverArt.h"
#include "platform/os/ErrorReport.h"

#include <QLabel>

namespace {
constexpr int kThumbnailSide = 56;
}  // namespace

void TForm1::WireCover()
{
    const auto chosen = [this](std::shared_ptr<const Picture> picture) { CoverChosen(std::move(picture)); };
    SingleTagCover = new CoverWell(SingleTag, "SingleTag", chosen);
    SingleTagCover->setGeometry(250, 56 + 66, 68, 42);
    MultitagCover = new CoverWell(Multitag, "Multitag", chosen);
    MultitagCover->setGeometry(250, 32 + 66, 68, 42);
    selCDCover = new QLabel(selCD);
    selCDCover->setObjectName("selCDCover");
    selCDCover->setAccessibleName(tr("Cover picture"));
    selCDCover->setGeometry(255, 150, kThumbnailSide, kThumbnailSide);
    selCDCover->setAlignment(Qt::AlignCenter);
}

void TForm1::StartCoverFetch()
{
    coverJob_.reset();
    userCover_ = false;
    state_.cover.reset();
    coverLine_ = discFound_ ? std::string() : "Cover: none (no details for this disc)";
    ShowCover();
    if (!discFound_ || discId_.empty())
        return;
    coverJob_ = std::make_unique<CoverJob>(discId_, *discFound_, ReadLookupSettings(), [this](FoundCover found) {
        Guarded([&] { CoverFound(std::move(found)); });
    });
}

void TForm1::CoverFound(FoundCover found)
{
    coverJob_.reset();
    coverLine_ = found.line;
    if (userCover_)
        return;  // the user's choice stands
    state_.cover = std::move(found.picture);
    ShowCover();
}

void TForm1::CoverChosen(std::shared_ptr<const Picture> picture)
{
    userCover_ = true;
    coverLine_ = picture ? "Cover: the user's picture" : "Cover: none (removed by the user)";
    state_.cover = std::move(picture);
    ShowCover();
}

void TForm1::ShowCover()
{
    for (CoverWell* well : {SingleTagCover, MultitagCover})
        if (well)
            well->Show(state_.cover);
    if (selCDCover) {
        const QPixmap thumbnail = state_.cover ? CoverThumbnail(*state_.cover, kThumbnailSide) : QPixmap();
        selCDCover->setPixmap(thumbnail);
        selCDCover->setVisible(!thumbnail.isNull());
    }
}

void TForm1::SingleTagCoverEnter()
{
    // A file's tag carries only a picture its user chose, never a disc's found cover.
    if (!userCover_)
        state_.cover.reset();
    ShowCover();
}

void TForm1::CoverForTheRun()
{
    WaitWithMessages([this] { return coverJob_ != nullptr && !state_.cancel; });
    for (std::size_t i = 0; i < state_.cdTrackChecked.size(); ++i)
        if (state_.cdTrackChecked[i])
            state_.trackDetails.at(std::size_t(ListedTrack(int(i)))).cover = state_.cover;
}
