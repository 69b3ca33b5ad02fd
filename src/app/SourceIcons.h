#pragma once
// Pictures of the six source buttons: the desktop's icon theme where it has one, otherwise a
// drawn glyph, so the buttons never come up blank.
#include <QIcon>

// index 0..5: wave file, MIDI file, audio CD, microphone, line in, aux in.
QIcon SourceIcon(int index);

// index 1..5: the tooltip of a source button disabled because the sound card has no such
// line: why (as the line's maker told it) and which SOUNDCARD_SETUP key sets it up.
QString UnavailableSourceTip(int index);
