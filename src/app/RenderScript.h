// The headless driver's logic: runs the program's start sequence in a working folder, then a
// script of user actions on the main window, then writes the picture and the working record.
// RenderMain.cpp only forwards the command line here, so tests run the same code in-process.
//
//   quorbel-render [-C DIR] [-o OUT.png|OUT.svg|OUT.pdf] [--scale S] [--record] ACTION...
//   quorbel-render --animate [-C DIR] -o OUT.gif ACTION...        (--help prints a summary)
//
// Actions: open:1..3, choose:K, set:NAME=VALUE (NAME a control of the main window, or
// frmStep.NAME one of the STEP dialog's), press:NAME, wait:MS (lets MS milliseconds pass: the
// 動画 repeat plays on), and the answers queued for the next dialog of their kind
// (step:next|all|cancel|auto|back, color:$00BBGGRR|cancel, nickname:TEXT|cancel,
// savefile:PATH|cancel, confirm:yes|no|cancel); step:auto plays the STEP display on by itself
// at the dialog's speed. snap:PREFIX writes PREFIX-000.png … at every STEP pause;
// formula:KIND:LINES puts a typed formula on the panel and draws it, as the formula dialog does
// (formula:26:x=t^2;y=2t (-2<=t<=2), formula:27:r=1+2cosθ, formula:28:xy=1). --animate
// writes the picture at every pause of every display the script runs (each STEP pause, each
// value of a repeat) as one frame of a looping GIF, the finished picture last (without --animate
// a GIF holds the finished picture alone). Every message box
// is printed as "message: TEXT" in the order shown; press:mnuShowFile
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
