#pragma once
// Ctrl+C (SIGINT), SIGTERM and SIGHUP (a closed terminal) for mervane-cli: the handler only counts the signal; the main
// thread polls the count and stops its work in order, so partial files and temporary folders
// are removed before the program exits.

// Installs the handlers. Call first thing in main.
void InstallInterruptHandler();

// How many interrupts have arrived so far. Any thread.
int InterruptCount();
