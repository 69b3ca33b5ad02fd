#include "app/SplitTracksPage.h"

#include "platform/os/ErrorReport.h"

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
    list_->setGeometry(10, 60, 315, 120);
    const auto button = [&](const char* name, const QString& text, int x, int width) {
        auto* b = new QPushButton(text, page);
        b->setObjectName(name);
        b->setGeometry(x, 190, width, 25);
        return b;
    };
    merge_ = button("SplitTracksMerge", tr("&Merge with next"), 10, 115);
    earlier_ = button("SplitTracksEarlier", tr("Cut &earlier"), 130, 95);
    later_ = button("SplitTracksLater", tr("Cut &later"), 230, 95);
    merge_->setToolTip(tr("Joins the selected track and the one after it"));
    earlier_->setToolTip(tr("Moves the cut after the selected track %1 seconds earlier").arg(kCutStepSeconds));
    later_->setToolTip(tr("Moves the cut after the selected track %1 seconds later").arg(kCutStepSeconds));
    connect(list_, &QListWidget::currentRowChanged, this, [this](int) { enableButtons(); });
    connect(merge_, &QPushButton::clicked, this, [this] { Guarded([&] { MergeSelected(); }); });
    connect(earlier_, &QPushButton::clicked, this, [this] { Guarded([&] { MoveSelectedCut(-kCutStepSeconds); }); });
    connect(later_, &QPushButton::clicked, this, [this] { Guarded([&] { MoveSelectedCut(kCutStepSeconds); }); });
}

void SplitTracksPage::Propose(const std::string& take)
{
    split_ = TrackSplit::Propose(take, SilenceSplitOptions{});
    show(0);
}

int SplitTracksPage::selected() const
{
    return std::max(list_->currentRow(), 0);
}

void SplitTracksPage::MergeSelected()
{
    const int row = selected();
    if (split_.MergeWithNext(static_cast<std::size_t>(row)))
        show(row);
}

void SplitTracksPage::MoveSelectedCut(double seconds)
{
    const int row = selected();
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
    for (QPushButton* b : {merge_, earlier_, later_})
        b->setEnabled(cutAfter);
}
