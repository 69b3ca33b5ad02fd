#pragma once
// What a screen reader hears from the wizard's controls beyond Qt's defaults:
// - a combo box is named by its label (Qt on Linux names it by its current text);
// - a bit-rate slider's value is the bit rate in kbit/s, not its position 1..14;
// - a source tile is a radio button with its checked state.
// - a list's rows (drop-down lists too) show only while the list does (AccessibleListRows.h).
// Tiles carry the property "sourceTile"; bit-rate sliders the property "bitrateSlider".

// Installs the interfaces once for the whole program. Main thread.
void InstallAccessibleControls();
