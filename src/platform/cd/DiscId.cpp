#include "platform/cd/DiscId.h"

#include <QCoreApplication>

#include <discid/discid.h>

#include <memory>

namespace {
struct DiscIdFree {
    void operator()(DiscId* d) const { discid_free(d); }
};
// The gap a multisession disc leaves between the audio session's lead-out and the data.
constexpr std::int32_t kSessionGap = 11400;
}  // namespace

DiscIdentity IdentifyDisc(const std::vector<CdTrack>& tracks, std::int32_t leadOutSector)
{
    DiscIdentity id;
    std::int32_t end = leadOutSector;
    for (const CdTrack& t : tracks) {
        if (!t.audio) {
            if (!id.offsets.empty()) {
                end = t.firstSector - kSessionGap;
                break;
            }
            continue;
        }
        if (id.offsets.empty())
            id.firstTrack = t.number;
        id.offsets.push_back(t.firstSector + kCdLeadInSectors);
    }
    // libdiscid takes at most 99 tracks and a lead-out past every track.
    if (id.offsets.empty() || id.firstTrack + id.TrackCount() - 1 > 99)
        throw ECdError(QCoreApplication::translate("DiscId", "The CD has no audio tracks to identify it by").toStdString());
    id.leadOut = end + kCdLeadInSectors;
    if (id.leadOut <= id.offsets.back())
        throw ECdError(QCoreApplication::translate("DiscId", "The CD's table of contents ends before its last track").toStdString());

    int offsets[100] = {};
    offsets[0] = id.leadOut;
    for (int i = 0; i < id.TrackCount(); ++i)
        offsets[id.firstTrack + i] = id.offsets[std::size_t(i)];
    std::unique_ptr<DiscId, DiscIdFree> d(discid_new());
    if (!d)
        throw ECdError(QCoreApplication::translate("DiscId", "Out of memory while identifying the CD").toStdString());
    if (!discid_put(d.get(), id.firstTrack, id.firstTrack + id.TrackCount() - 1, offsets))
        throw ECdError(QCoreApplication::translate("DiscId", "The CD cannot be identified: %1").arg(QString::fromUtf8(discid_get_error_msg(d.get()))).toStdString());
    id.musicBrainzId = discid_get_id(d.get());
    id.freedbId = discid_get_freedb_id(d.get());
    id.toc = discid_get_toc_string(d.get());
    id.totalSeconds = id.leadOut / kCdSectorsPerSecond;
    return id;
}
