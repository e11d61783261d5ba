#pragma once
// korvelin --batch [OPTIONS] FILE.BAS [ARGS...]
//
// Runs one program with no window and no display (Qt's offscreen platform).
// ARGS joined by single blanks are the program's COMMAND$. stdout receives
// the console's text as UTF-8, stderr the text of every message box, stdin
// is the keyboard (app/BatchHost.h).
//
// Options:
//   --settings FILE        the settings file to read instead of KORVELIN.INI
//                          (found as the windows find it); never written
//   --screenshot FILE.png  save the window area of the display page after the run
//   --desktop WxH          the desktop size the pages use (default 1024x768)
//
// Exit status: 0 the program ended, 1 an error ended it (or it could not be
// prepared), 2 the file cannot be read or the arguments are wrong, 3 it
// stopped at a break (STOP).

namespace korvelin {

// True when the command line asks for batch mode (its first argument is --batch).
bool isBatchCommandLine(int argc, char* argv[]);
// Runs batch mode and returns the exit status.
int runBatch(int argc, char* argv[]);

} // namespace korvelin
