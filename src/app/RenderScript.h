// The headless driver's logic: runs the program's start sequence in a working folder, then a
// script of user actions on the main window, then writes the picture and the working record.
// RenderMain.cpp only forwards the command line here, so tests run the same code in-process.
//
//   quorbel-render [-C DIR] [-o OUT.png|OUT.svg|OUT.pdf] [--scale S] [--record] ACTION...
//                                                                 (--help prints a summary)
//
// Actions: open:1..3, choose:K, set:NAME=VALUE, press:NAME, and the answers queued for the next
// dialog of their kind (step:next|all|cancel, color:$00BBGGRR|cancel, nickname:TEXT|cancel,
// savefile:PATH|cancel, confirm:yes|no|cancel); snap:PREFIX writes PREFIX-000.png … at every
// STEP pause. Every message box is printed as "message: TEXT" in the order shown; press:mnuShowFile
// prints the file contents view as 25 rows "LABEL<TAB>VALUE". Everything printed has its control
// characters escaped ("\n", "\x1B", "\u009B"). Paths of -o and snap: are taken
// from the folder the driver was started in; a relative savefile: path from the working folder.
// The picture of -o is written atomically in the format its extension names (PNG for any other),
// a PNG at --scale S (1 to 8) times the picture's size. The process's working folder is restored
// before the function returns.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Exit statuses of the driver.
constexpr int RenderOk = 0;
constexpr int RenderFailed = 1;       // the working folder or an output file could not be used, or a save failed
constexpr int RenderScriptError = 2;  // unknown option, action or control, or an action that cannot apply

// Runs the driver with `arguments` (without the program name); returns its exit status.
int RunRenderScript(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
