#pragma once
// The program-wide flags and drawing scales. Each is defined once, in
// globals.cpp; tests put them back with ResetGlobals.

namespace okap {

// An error was reported while drawing or reading files; the next paint of
// the map view gives up and clears it.
extern int badclient;
// A document dialog is open: paints are skipped.
extern int noredraw;
// A paint is drawing: rubber bands are left alone.
extern int ignoremode;
// 1 while a print job is being rendered.
extern int isprinting;
// The "Postscript modification" setting: while printing, text escapements
// above 0 are mirrored for printers that rotate text the other way.
extern int postmod;
// Device pixels per line-width unit; pen widths are multiplied by it. Set by
// the map view before each paint.
extern double pixwid;
// Screen text factor: "Screen" text sizes are multiplied by 20 x dispix.
extern double dispix;
// Logical units per degree of latitude at the current map scale. Set by the
// map view before each paint.
extern double lcperdegree;

// Puts every global back to its value at start.
void ResetGlobals();

}  // namespace okap
