#pragma once
// The page SplitTracks after a live take split at its silences: the proposed tracks in a
// list (SplitTracksList: number, start, length), and the user's adjustments of the selected
// track: SplitTracksMerge joins it with the next one, SplitTracksEarlier and
// SplitTracksLater move the cut after it by kCutStepSeconds. SplitTracksPlay plays the take
// from kListenSeconds before to kListenSeconds after that cut on the speakers, and stops it
// when pressed again; a moved cut, another track selected or the page left stops it too.
//
// Main thread only.
#include "run/TrackSplit.h"

#include <QObject>
#include <memory>
#include <string>

class ExcerptPlayer;
class QListWidget;
class QPushButton;
class QWidget;

class SplitTracksPage : public QObject {
    Q_OBJECT
public:
    // Places the list and the buttons on `page`.
    explicit SplitTracksPage(QWidget* page);
    ~SplitTracksPage() override;

    // The finder's tracks of the take; raises what reading it raises.
    void Propose(const std::string& take);
    const TrackSplit& Split() const { return split_; }
    // Adjustments of the selected track (the first when none is selected).
    void MergeSelected();
    void MoveSelectedCut(double seconds);
    // Plays the take around the cut after the selected track, or stops what plays.
    void PlayOrStopSelectedCut();
    bool Playing() const;

    static constexpr double kCutStepSeconds = 2.0;
    static constexpr double kListenSeconds = 3.0;

protected:
    // The page hidden (another page shown, the window closed) stops the play.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void stopPlaying();
    void showPlayState();
    void show(int row);
    void enableButtons();
    int selected() const;

    TrackSplit split_;
    QListWidget* list_ = nullptr;
    QPushButton* merge_ = nullptr;
    QPushButton* earlier_ = nullptr;
    QPushButton* later_ = nullptr;
    QPushButton* play_ = nullptr;
    std::string take_;
    std::unique_ptr<ExcerptPlayer> player_;
};
