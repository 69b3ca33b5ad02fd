// The disc's details on the CD road: the lookup selCD starts, the titles beside the
// tracks, the choice between several releases, the details offered on CDtagsel and
// Multitag, the cache of what the user confirmed, and the files named from the details.
#include "app/Unit1.h"

#include "discinfo/DiscCache.h"
#include "discinfo/FileNames.h"
#include "run/CdNames.h"
#include "mpeg/MPEGNames.h"
#include "platform/os/Dialogs.h"
#include "platform/os/ErrorReport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <algorithm>
#include <utility>

namespace {
// The line's text as the list first showed it, kept so the found title can be put beside it.
constexpr int kPlainTextRole = Qt::UserRole + 2;
}  // namespace

void TForm1::WireDiscInfo()
{
    selCDLookup = new QLabel(selCD);
    selCDLookup->setObjectName("selCDLookup");
    selCDLookup->setGeometry(10, 212, 310, 18);
    selCDGoOn = new QPushButton(tr("Go on without"), selCD);
    selCDGoOn->setObjectName("selCDGoOn");
    const int width = std::max(75, selCDGoOn->sizeHint().width());
    selCDGoOn->setGeometry(320 - width, 150, width, 25);
    selCDGoOn->hide();
    connect(selCDGoOn, &QPushButton::clicked, this, [this] { Guarded([&] { selCDGoOnClick(); }); });
    enterActions_[CDtagsel] = [this] { CDtagselEnter(); };
}

void TForm1::StartDiscLookup()
{
    discLookup_.reset();
    coverJob_.reset();
    discFound_.reset();
    discId_.clear();
    state_.discLookupRunning = true;
    nextAwaitsLookup_ = false;
    selCDGoOn->hide();
    selCDLookup->setText(tr("Looking up..."));
    discLookup_ = std::make_unique<DiscLookupJob>(
        ReadLookupSettings(), [this](const std::string& line) { selCDLookup->setText(QString::fromStdString(line)); },
        [this](const std::string& discId, LookupResult result) {
            Guarded([&] { DiscLookupFinished(discId, std::move(result)); });
        });
}

void TForm1::DiscLookupFinished(const std::string& discId, LookupResult result)
{
    state_.discLookupRunning = false;
    discId_ = discId;
    if (result.matches.size() == 1) {
        discFound_ = std::move(result.matches.front());
    } else if (result.matches.size() > 1) {
        std::vector<std::string> lines;
        for (const DiscDetails& d : result.matches)
            lines.push_back(d.ChoiceLine());
        const std::optional<std::size_t> chosen =
            AppDialogs().ChooseOne(tr("Several releases match this disc. Which one is it?").toStdString(), lines,
                                   tr("None of these").toStdString());
        if (chosen && *chosen < result.matches.size()) {
            discFound_ = std::move(result.matches[*chosen]);
            if (const std::string problem = SaveCachedDisc(discId_, *discFound_); !problem.empty())
                AppDialogs().ShowMessage(problem);
        }
    }
    ShowFoundTitles();
    StartCoverFetch();
    selCDGoOn->hide();
    if (std::exchange(nextAwaitsLookup_, false) && CurrentPage() == selCD)
        selCDNextClick();
}

bool TForm1::DiscLookupHoldsNext()
{
    if (!state_.discLookupRunning) {
        // Its result is in: nothing of it may arrive later.
        discLookup_.reset();
        return false;
    }
    nextAwaitsLookup_ = true;
    selCDLookup->setText(tr("Looking up..."));
    selCDGoOn->show();
    return true;
}

void TForm1::selCDGoOnClick()
{
    if (discLookup_) {
        discId_ = discLookup_->DiscId();
        discFound_ = discLookup_->CdTextDetails();
    }
    discLookup_.reset();
    state_.discLookupRunning = false;
    nextAwaitsLookup_ = false;
    selCDGoOn->hide();
    selCDLookup->setText(discFound_ ? tr("Using CD-Text") : tr("No details found for this disc"));
    ShowFoundTitles();
    selCDNextClick();
}

void TForm1::ShowFoundTitles()
{
    for (int i = 0; i < selCDTracks->count(); ++i) {
        QListWidgetItem* line = selCDTracks->item(i);
        if (!line->data(kPlainTextRole).isValid())
            line->setData(kPlainTextRole, line->text());
        QString text = line->data(kPlainTextRole).toString();
        if (discFound_)
            if (const FoundTrack* t = discFound_->Track(ListedTrack(i)); t && !t->title.empty())
                text += "  " + QString::fromStdString(t->title);
        line->setText(text);
    }
}

void TForm1::CDtagselEnter()
{
    // Found details are offered; "No" still encodes the tracks without them.
    if (discFound_)
        CDtagselYes->setChecked(true);
}

void TForm1::ShowFoundTrack(int track)
{
    if (!discFound_)
        return;
    const FoundTrack* t = discFound_->Track(track);
    if (!t)
        return;
    multiTag.title->setText(QString::fromStdString(t->title));
    multiTag.artist->setText(QString::fromStdString(discFound_->ArtistOf(track)));
    multiTag.album->setText(QString::fromStdString(discFound_->album));
    if (discFound_->year > 0)
        multiTag.year->setValue(discFound_->year);
    if (!discFound_->genre.empty()) {
        const int at = multiTag.style->findText(QString::fromStdString(discFound_->genre), Qt::MatchFixedString);
        if (at >= 0)
            multiTag.style->setCurrentIndex(at);
    }
}

void TForm1::KeepConfirmedDetails()
{
    if (discId_.empty())
        return;
    const int count = selCDTracks->count();
    if (!discFound_) {
        discFound_ = DiscDetails{};
        discFound_->firstTrack = ListedTrack(0);
        discFound_->tracks.resize(std::size_t(count));
    }
    DiscDetails& d = *discFound_;
    for (std::size_t i = 0; i < state_.cdTrackChecked.size(); ++i) {
        if (!state_.cdTrackChecked[i])
            continue;
        const int number = ListedTrack(int(i));
        const TrackDetails& typed = state_.trackDetails.at(std::size_t(number));
        const long index = long(number) - d.firstTrack;
        if (index < 0 || index >= long(d.tracks.size()))
            continue;
        d.artist = d.artist.empty() ? typed.artist : d.artist;
        d.album = typed.album;
        d.year = typed.year;
        d.genre = typed.genre >= 0 && typed.genre < kGenreCount ? GenreName(typed.genre) : std::string();
        FoundTrack& t = d.tracks[std::size_t(index)];
        t.title = typed.title;
        t.artist = typed.artist == d.artist ? std::string() : typed.artist;
    }
    if (const std::string problem = SaveCachedDisc(discId_, d); !problem.empty())
        AppDialogs().ShowMessage(problem);
    ShowFoundTitles();
}

std::string TForm1::RipFilesName() const
{
    std::string album;
    if (state_.cdTrackDetails) {
        for (std::size_t i = 0; i < state_.cdTrackChecked.size() && album.empty(); ++i)
            if (state_.cdTrackChecked[i])
                album = state_.trackDetails.at(std::size_t(ListedTrack(int(i)))).album;
    } else if (discFound_) {
        album = discFound_->album;
    }
    return ::RipFilesName(album, ReadLookupSettings().safeNames);
}

std::string TForm1::CDTrackFileName(int track, bool typed) const
{
    const LookupSettings settings = ReadLookupSettings();
    std::vector<CdNamedTrack> listed;
    for (std::size_t i = 0; i < state_.cdTrackChecked.size(); ++i) {
        CdNamedTrack t;
        t.number = ListedTrack(int(i));
        t.chosen = state_.cdTrackChecked[i];
        t.fields = typed ? FieldsOfDetails(t.number, state_.trackDetails.at(std::size_t(t.number)))
                         : FieldsOfFound(t.number, discFound_ ? &*discFound_ : nullptr);
        listed.push_back(std::move(t));
    }
    return ::CdTrackFileName(listed, track, cdOutputFolder_, settings.fileNames, settings.safeNames);
}
