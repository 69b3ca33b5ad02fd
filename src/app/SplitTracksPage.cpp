#include "app/SplitTracksPage.h"

#include "mixer/ExcerptPlayer.h"
#include "platform/os/ErrorReport.h"

#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>

namespace {
QString timeText(std::int64_t frames, unsigned rate)
{
    const double seconds = static_cast<double>(frames) / rate;
    const auto minutes = static_cast<int>(seconds / 60);
    return QString("%1:%2").arg(minutes).arg(seconds - minutes * 60, 5, 'f', 2, QChar('0'));
}
}  // namespace

SplitTracksPage::SplitTracksPage(QWidget* page) : QObject(page)
{
    auto* hint = new QLabel(tr("Tracks found at the silences of the take. Merge neighbours or move a cut, then Next."),
                            page);
    hint->setWordWrap(true);
    hint->setGeometry(10, 26, 315, 32);
    list_ = new QListWidget(page);
    list_->setObjectName("SplitTracksList");
    list_->setAccessibleName(tr("Proposed tracks"));
    list_->setGeometry(10, 60, 315, 96);
    const auto button = [&](const char* name, const QString& text, int x, int y, int width) {
        auto* b = new QPushButton(text, page);
        b->setObjectName(name);
        b->setGeometry(x, y, width, 25);
        return b;
    };
    merge_ = button("SplitTracksMerge", tr("&Merge with next"), 10, 164, 115);
    earlier_ = button("SplitTracksEarlier", tr("Cut &earlier"), 130, 164, 95);
    later_ = button("SplitTracksLater", tr("Cut &later"), 230, 164, 95);
    play_ = button("SplitTracksPlay", QString(), 10, 196, 315);
    play_->setToolTip(tr("Plays %1 seconds before to %1 seconds after the cut after the selected track")
                          .arg(kListenSeconds));
    merge_->setToolTip(tr("Joins the selected track and the one after it"));
    earlier_->setToolTip(tr("Moves the cut after the selected track %1 seconds earlier").arg(kCutStepSeconds));
    later_->setToolTip(tr("Moves the cut after the selected track %1 seconds later").arg(kCutStepSeconds));
    player_ = std::make_unique<ExcerptPlayer>([this] { showPlayState(); },
                                              [this](const std::string& why) {
                                                  showPlayState();
                                                  ReportError(why);
                                              });
    showPlayState();
    page->installEventFilter(this);
    connect(play_, &QPushButton::clicked, this, [this] { Guarded([&] { PlayOrStopSelectedCut(); }); });
    connect(list_, &QListWidget::currentRowChanged, this, [this](int) {
        // Another cut is selected: the one playing is no longer the one shown.
        Guarded([&] { stopPlaying(); });
        enableButtons();
    });
    connect(merge_, &QPushButton::clicked, this, [this] { Guarded([&] { MergeSelected(); }); });
    connect(earlier_, &QPushButton::clicked, this, [this] { Guarded([&] { MoveSelectedCut(-kCutStepSeconds); }); });
    connect(later_, &QPushButton::clicked, this, [this] { Guarded([&] { MoveSelectedCut(kCutStepSeconds); }); });
}

SplitTracksPage::~SplitTracksPage() = default;

void SplitTracksPage::Propose(const std::string& take)
{
    stopPlaying();
    split_ = TrackSplit::Propose(take, SilenceSplitOptions{});
    take_ = take;
    show(0);
}

void SplitTracksPage::PlayOrStopSelectedCut()
{
    if (player_->Playing()) {
        stopPlaying();
        return;
    }
    const TrackSpan around = split_.AroundCut(static_cast<std::size_t>(selected()), kListenSeconds);
    if (around.frames <= 0)
        return;
    player_->Play(take_, around);
    showPlayState();
}

bool SplitTracksPage::Playing() const
{
    return player_->Playing();
}

void SplitTracksPage::stopPlaying()
{
    if (!player_->Playing())
        return;
    player_->Stop();
    showPlayState();
}

void SplitTracksPage::showPlayState()
{
    // The same key letter both ways, so one key plays and stops.
    play_->setText(player_->Playing() ? tr("Sto&p playing") : tr("&Play the cut"));
    play_->setAccessibleName(play_->text().remove('&'));
}

bool SplitTracksPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Hide)
        Guarded([&] { stopPlaying(); });
    return QObject::eventFilter(watched, event);
}

int SplitTracksPage::selected() const
{
    return std::max(list_->currentRow(), 0);
}

void SplitTracksPage::MergeSelected()
{
    const int row = selected();
    stopPlaying();
    if (split_.MergeWithNext(static_cast<std::size_t>(row)))
        show(row);
}

void SplitTracksPage::MoveSelectedCut(double seconds)
{
    const int row = selected();
    stopPlaying();
    if (split_.MoveCut(static_cast<std::size_t>(row), seconds))
        show(row);
}

void SplitTracksPage::show(int row)
{
    list_->clear();
    const auto& tracks = split_.Tracks();
    for (std::size_t i = 0; i < tracks.size(); ++i)
        list_->addItem(tr("Track %1   %2   (%3)")
                           .arg(i + 1)
                           .arg(timeText(tracks[i].first, split_.Rate()))
                           .arg(timeText(tracks[i].frames, split_.Rate())));
    list_->setCurrentRow(std::min(row, static_cast<int>(tracks.size()) - 1));
    enableButtons();
}

void SplitTracksPage::enableButtons()
{
    // Every adjustment is about the cut after the selected track.
    const bool cutAfter = static_cast<std::size_t>(selected()) + 1 < split_.Tracks().size();
    for (QPushButton* b : {merge_, earlier_, later_, play_})
        b->setEnabled(cutAfter);
}
