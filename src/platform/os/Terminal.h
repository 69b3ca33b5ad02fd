#pragma once
// Whether the error stream reaches a person at a terminal: progress lines that redraw
// themselves are written only then, never into a log or a pipe.
bool ErrorStreamIsTerminal();
