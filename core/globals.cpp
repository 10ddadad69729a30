#include "core/globals.h"

namespace okap {

int badclient = 0;
int noredraw = 0;
int ignoremode = 0;
int isprinting = 0;
int postmod = 0;
double pixwid = 1.0;
double dispix = 1.0;
double lcperdegree = 100.0;

void ResetGlobals() {
    badclient = 0;
    noredraw = 0;
    ignoremode = 0;
    isprinting = 0;
    postmod = 0;
    pixwid = 1.0;
    dispix = 1.0;
    lcperdegree = 100.0;
}

}  // namespace okap
