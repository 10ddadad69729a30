#pragma once
// The page of the print preview: the printout's page 1 drawn on a sheet of
// white paper with the printer page's proportions, as large as the widget
// allows.

#include <QImage>
#include <QWidget>

#include "core/coordinates.h"

namespace okap {

class APXPrintOut;

class PreviewPage : public QWidget {
    Q_OBJECT
public:
    // pageExtent: the printer's page in device pixels.
    PreviewPage(APXPrintOut& printout, TSize pageExtent, QWidget* parent);

    // Draws the page afresh and shows it. Messages of the drawing are shown
    // once it has finished (never inside a paint).
    void Refresh();

    // Where the sheet lies in the widget.
    QRect PaperRect() const;
    // The page as last drawn, the size of the sheet.
    const QImage& Picture() const { return picture; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Render();

    APXPrintOut& printout;
    TSize pageExtent;
    QImage picture;
};

}  // namespace okap
