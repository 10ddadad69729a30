#include "core/globals.h"

namespace okap {

thread_local int badclient = 0;
thread_local int noredraw = 0;
thread_local int ignoremode = 0;
thread_local int isprinting = 0;
thread_local int postmod = 0;
thread_local double pixwid = 1.0;
thread_local double dispix = 1.0;
thread_local double lcperdegree = 100.0;

void ResetGlobals() { RestoreGlobals({0, 0, 0, 0, 0, 1.0, 1.0, 100.0}); }

GlobalsState SaveGlobals() { return {badclient, noredraw, ignoremode, isprinting, postmod, pixwid, dispix, lcperdegree}; }

void RestoreGlobals(const GlobalsState& state) {
    badclient = state.badclient;
    noredraw = state.noredraw;
    ignoremode = state.ignoremode;
    isprinting = state.isprinting;
    postmod = state.postmod;
    pixwid = state.pixwid;
    dispix = state.dispix;
    lcperdegree = state.lcperdegree;
}

}  // namespace okap
