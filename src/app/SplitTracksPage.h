#pragma once
// The page SplitTracks after a live take split at its silences: the proposed tracks in a
// list (SplitTracksList: number, start, length), and the user's adjustments of the selected
// track: SplitTracksMerge joins it with the next one, SplitTracksEarlier and
// SplitTracksLater move the cut after it by kCutStepSeconds.
//
// Main thread only.
#include "run/TrackSplit.h"

#include <QObject>
#include <string>

class QListWidget;
class QPushButton;
class QWidget;

class SplitTracksPage : public QObject {
    Q_OBJECT
public:
    // Places the list and the buttons on `page`.
    explicit SplitTracksPage(QWidget* page);

    // The finder's tracks of the take; raises what reading it raises.
    void Propose(const std::string& take);
    const TrackSplit& Split() const { return split_; }
    // Adjustments of the selected track (the first when none is selected).
    void MergeSelected();
    void MoveSelectedCut(double seconds);

    static constexpr double kCutStepSeconds = 2.0;

private:
    void show(int row);
    void enableButtons();
    int selected() const;

    TrackSplit split_;
    QListWidget* list_ = nullptr;
    QPushButton* merge_ = nullptr;
    QPushButton* earlier_ = nullptr;
    QPushButton* later_ = nullptr;
};
