#pragma once
// What the command line can ask before any window exists: --help and
// --version, and whether there is a display for the windows at all.

#include <optional>

namespace korvelin {

// --help or --version as the first argument: prints the text on stdout and
// returns exit status 0; nullopt for every other command line.
std::optional<int> answerInformationRequest(int argc, char* argv[]);

// The windows can open: a display (X11 or Wayland) is named, or the user
// chose a Qt platform (QT_QPA_PLATFORM) that Qt will try instead.
bool displayAvailable();

// Says on stderr, in one line, that there is no display and how to run a
// program without one; returns the exit status for it (2).
int reportNoDisplay();

} // namespace korvelin
