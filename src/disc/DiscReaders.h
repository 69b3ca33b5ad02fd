#pragma once
// Hands the CD services below the seam what lives in this layer: the checked readers of
// disc images (cue, toc, nrg) and the track checksums the extraction sums. Every program
// calls it once at start, before a disc is opened: the wizard, the command line, the test
// and benchmark programs.
void InstallDiscReaders();
