#pragma once
// What a CD run's files are called and tagged with: the details a track gets from what a
// lookup found, the file name the FileNames template makes of them (names that would meet
// made distinct in list order) and the name of the rip's log, cue sheet and playlist. The
// wizard and the command line name and tag the same disc the same way through these.
#include "discinfo/DiscDetails.h"
#include "discinfo/FileNames.h"
#include "mixer/WizardState.h"

#include <string>
#include <vector>

// One line of a disc's track list as a run names it.
struct CdNamedTrack {
    int number = 0;
    bool chosen = false;   // the track is ripped in this run
    FileNameFields fields;
};

// The file-name fields of typed details, and of what a lookup found (none: only the number).
FileNameFields FieldsOfDetails(int number, const TrackDetails& details);
FileNameFields FieldsOfFound(int number, const DiscDetails* found);

// The tag details a found track gives, as the per-track details page shows them before the
// user changes anything: title, artist, album, the year when known (else `defaultYear`),
// the genre when it has a number, the track's number; and what the page does not show,
// the track's composer and recording code.
TrackDetails DetailsOfFound(int number, const DiscDetails& found, int defaultYear);

// The MP3 file of `track` in `folder` (ending in '/'): every chosen track's name (and this
// one's, when it is not chosen), in list order, made distinct, so equal names are told
// apart the same way whichever track asks.
std::string CdTrackFileName(const std::vector<CdNamedTrack>& listed, int track, const std::string& folder,
                            const std::string& pattern, bool safeNames);

// The name (without extension) of the rip's log, cue sheet and playlist: the album's, or
// "Rip" when there is none.
std::string RipFilesName(const std::string& album, bool safeNames);
