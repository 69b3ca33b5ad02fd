#pragma once
// Pictures of the six source buttons: the desktop's icon theme where it has one, otherwise a
// drawn glyph, so the buttons never come up blank.
#include <QIcon>

// index 0..5: wave file, MIDI file, audio CD, microphone, line in, aux in.
QIcon SourceIcon(int index);
