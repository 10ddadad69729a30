#pragma once
// The printout of a map (APXPrintOut): always one page, drawn by the map
// view's own Paint. Printing sends it to the printer; the print preview
// draws the same page on its smaller sheet.

#include <QString>

#include "core/coordinates.h"

class QPainter;
class QPrinter;

namespace okap {

class okapWindow;

class APXPrintOut {
public:
    // A printout titled title (the name its failure messages give) of
    // window's map, for printer.
    APXPrintOut(QString title, QPrinter& printer, okapWindow& window);

    const QString& Title() const { return title; }

    // Draws page page (the printout has page 1 only) with painter onto a
    // page pageExtent pixels large: the map view paints its window's
    // rectangle at the page's full width. A map taller than the page is
    // scaled down to fit it, so that nothing is cut off at the bottom.
    void PrintPage(int page, QPainter& painter, TSize pageExtent);

    // Sends the page to the printer. A failure is reported with caption
    // "Print Error" and gives false.
    bool Print();

private:
    QString title;
    QPrinter& printer;
    okapWindow& window;
};

}  // namespace okap
