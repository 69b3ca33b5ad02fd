// The Discs tab: the disc lookups and their servers, covers (METADATA), and the rip's
// AccurateRip database, read offset, test and copy and cue sheet (CD).
#include "app/PreferenceFields.h"
#include "app/PreferencesTabs.h"

#include "disc/AccurateRip.h"
#include "discinfo/DiscLookup.h"
#include "platform/cd/CDDA.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>
#include <QWidget>

QWidget* PreferencesTabs::Discs(PreferenceFields& fields)
{
    auto* tab = new QWidget;
    tab->setObjectName("PreferencesDiscs");
    auto* form = new QFormLayout(tab);
    const ProfileFile settings = ProfileFile::Settings();
    const LookupSettings lookup = ReadLookupSettings();

    QCheckBox* network = fields.AddCheck(form, "METADATA", "Lookup", tr("&Look up discs on the network"), lookup.network);
    network->setObjectName("LookupChoice");
    QLineEdit* musicBrainz = fields.AddText(form, "METADATA", "MusicBrainz", tr("&MusicBrainz server:"),
                                            QString::fromStdString(lookup.musicBrainz));
    musicBrainz->setObjectName("MusicBrainzChoice");
    QLineEdit* gnudb = fields.AddText(form, "METADATA", "Gnudb", tr("&gnudb server:"), QString::fromStdString(lookup.gnudb));
    gnudb->setObjectName("GnudbChoice");
    QLineEdit* covers = fields.AddText(form, "METADATA", "CoverArt", tr("Co&vers from:"),
                                       QString::fromStdString(lookup.coverArt));
    covers->setObjectName("CoverArtChoice");
    covers->setPlaceholderText(tr("No covers"));
    for (QLineEdit* server : {musicBrainz, gnudb, covers})
        server->setEnabled(lookup.network);
    QObject::connect(network, &QCheckBox::toggled, tab, [=](bool on) {
        for (QLineEdit* server : {musicBrainz, gnudb, covers})
            server->setEnabled(on);
    });

    fields.AddText(form, "CD", "AccurateRip", tr("&AccurateRip database:"),
                   QString::fromStdString(settings.ReadString("CD", "AccurateRip", kAccurateRipDefaultUrl)))
        ->setObjectName("AccurateRipChoice");
    fields.AddNumber(form, "CD", "ReadOffset", tr("Drive's &read offset (samples):"), -kMaxReadOffset, kMaxReadOffset,
                     ParseReadOffset(settings.ReadString("CD", "ReadOffset", "")).offset)
        ->setObjectName("ReadOffsetChoice");
    fields.AddCheck(form, "CD", "TestAndCopy", tr("&Test and copy (read every track twice)"),
                    settings.ReadInteger("CD", "TestAndCopy", 0) == 1)
        ->setObjectName("TestAndCopyChoice");
    fields.AddCheck(form, "CD", "CueSheet", tr("Write a &cue sheet and a playlist"),
                    settings.ReadInteger("CD", "CueSheet", 0) == 1)
        ->setObjectName("CueSheetChoice");
    return tab;
}
