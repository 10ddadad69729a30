#pragma once
// The program-wide flags and drawing scales. Each is defined once, in
// globals.cpp; tests put them back with ResetGlobals. Every thread has its
// own: a paint in the background starts from the values of the thread that
// started it (SaveGlobals, RestoreGlobals) and never touches another's.

namespace okap {

// An error was reported while drawing or reading files; the next paint of
// the map view gives up and clears it.
extern thread_local int badclient;
// A document dialog is open: paints are skipped.
extern thread_local int noredraw;
// A paint is drawing: rubber bands are left alone.
extern thread_local int ignoremode;
// 1 while a print job is being rendered.
extern thread_local int isprinting;
// The "Postscript modification" setting: while printing, text escapements
// above 0 are mirrored for printers that rotate text the other way.
extern thread_local int postmod;
// Device pixels per line-width unit; pen widths are multiplied by it. Set by
// the map view before each paint.
extern thread_local double pixwid;
// Screen text factor: "Screen" text sizes are multiplied by 20 x dispix.
extern thread_local double dispix;
// Logical units per degree of latitude at the current map scale. Set by the
// map view before each paint.
extern thread_local double lcperdegree;

// Puts every global back to its value at start.
void ResetGlobals();

// The globals of one thread, to be taken to another.
struct GlobalsState {
    int badclient;
    int noredraw;
    int ignoremode;
    int isprinting;
    int postmod;
    double pixwid;
    double dispix;
    double lcperdegree;
};
GlobalsState SaveGlobals();
void RestoreGlobals(const GlobalsState& state);

}  // namespace okap
