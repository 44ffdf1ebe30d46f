// Headless mode: the whole host without a window. Movie commands come from
// standard input, one per line (UTF-8: the command, a TAB, the argument);
// everything the host shows goes to standard output (see headless_output.h).
// End of input is the user closing the main window.
#pragma once

#include <cstdio>

class CVantoPelkoApp;

// Runs the main window headless until it ends; returns its result.
int RunHeadlessMainWindow(CVantoPelkoApp& app, std::FILE* input, std::FILE* output);
