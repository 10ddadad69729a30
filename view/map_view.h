#pragma once
// The drawing half of the map view (okapWindow): Paint and its drawing
// steps, and the arithmetic of the view's navigation. The widget that shows
// a document turns its events into these calls; okaptool render, printing
// and the clipboard copies call Paint with their own device contexts, so
// every output gets the same picture.
//
// Paint draws, in this order: the map box background, the grid at depth 0,
// the map layers, the grid at depth 1, the edge of the globe where the view
// reaches beyond it, the data symbols, the grid at depth 2, the placed
// labels of the data layers that avoid label overlaps, the data legends, the
// details and the map box frame. Each step is a member below, each in a file
// of its own (draw_maps.cpp, draw_data.cpp, draw_grid.cpp,
// draw_data_labels.cpp, draw_data_legends.cpp, draw_map_box.cpp,
// draw_details.cpp).

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/coordinates.h"
#include "platform/device_context.h"
#include "view/data_label_placement.h"

namespace okap {

class MapDocument;

// What the view takes from the application when it paints.
struct ViewSettings {
    std::string mapDirectory;   // the configured map file path
    std::string dataDirectory;  // the configured data file path
    // A metafile (vector) copy is being drawn: Paint uses the rectangle it
    // is given instead of the window's client rectangle.
    bool metafileCopying = false;
    // A print or preview is under way and there is a printer: the page is
    // drawn at the device's full resolution through the window-sized
    // rectangle (factor = HORZRES / width).
    bool printing = false;
    // Draws every point of every map segment whatever the scale, instead of
    // the simplified copies a view far out needs: the reference that the
    // level of detail is measured against.
    bool fullDetail = false;
    // Asked between the steps of a paint and between the segments and
    // points it draws: true when the picture is no longer wanted (a newer
    // view is being drawn), and the paint stops where it is.
    std::function<bool()> cancelled = nullptr;
};

// The three fields of the Set Coordinates dialog ("Set Coordinates"):
// "Centre Latitude", "Centre Longitude" and "Scale (x:1)", each at most
// kSetCoordFieldLength characters.
struct SetCoordDialogTB {
    std::string latitude;
    std::string longitude;
    std::string scale;
    friend bool operator==(const SetCoordDialogTB&, const SetCoordDialogTB&) = default;
};
inline constexpr size_t kSetCoordFieldLength = 15;

// The scales the navigation keeps to: zooming in stops at the smallest,
// zooming out beyond the largest returns to the full-scale view.
inline constexpr int32_t kMinimumScale = 100;
inline constexpr int32_t kFullScale = 300000000;

// The rubber box of the zoom tools, in device pixels.
struct Box {
    int x1 = -1;
    int y1 = -1;
    int x2 = -1;
    int y2 = -1;
    friend bool operator==(const Box&, const Box&) = default;
};

class MapView {
public:
    MapView(MapDocument& document, ViewSettings settings);

    MapDocument& Document() { return document; }
    const ViewSettings& Settings() const { return settings; }
    void SetSettings(ViewSettings newSettings) { settings = std::move(newSettings); }

    // Draws the whole map into dc. rect is the window's client rectangle
    // (or the rectangle of the metafile copy), in device pixels. A file that
    // cannot be read is reported (each message once a paint) and leaves out
    // only what it holds: the paint draws the rest and ends with badclient
    // set. A paint after one that reported an error is skipped (and clears
    // the error) unless the caller cleared it, as the map window does once
    // it holds the messages; no paint happens while a document dialog is
    // open (noredraw).
    void Paint(DeviceContext& dc, const TRect& rect);
    // Sets the document's mapping (window and viewport extents, the
    // projection's viewport) for its centre and scale in a view of rect, as
    // a paint through rect would, without drawing: what the window does at
    // once on a change of view, so that the read-out under the pointer and
    // the next change of view work in the view being drawn.
    void MapTo(const TRect& rect);
    // The settings' cancelled asks for the paint to stop.
    bool Cancelled() const { return settings.cancelled && settings.cancelled(); }

    // The drawing steps, each after the viewport has been set by Paint.
    void DrawMapBox(DeviceContext& dc, int final);
    // The outline of the part of the view that shows the globe, where that
    // is not the whole view (draw_map_box.cpp).
    void DrawGlobeEdge(DeviceContext& dc);
    void DrawGrid(DeviceContext& dc, double factor, const TRect& rect);
    void DrawMaps(DeviceContext& dc);
    void DrawData(DeviceContext& dc);
    // The labels DrawData left to be placed, clear of the grid labels of
    // this paint, the legends and the details.
    void DrawDataLabels(DeviceContext& dc);
    void DrawDataLegends(DeviceContext& dc);
    void DrawDetails(DeviceContext& dc);

    // Turns a rubber box (device pixels) into a new scale and centre:
    // mode 1 zooms in, 2 out. clientRect is the view's client rectangle.
    // The caller repaints. Like every change of view, it marks the document
    // modified when its centre or scale changed.
    void Zoom(Box box, int mode, const TRect& clientRect);
    // Zooms by factor (above 1 in, below 1 out) about a point of the view
    // in device pixels, which keeps its place on the screen: the wheel and
    // the + and - keys. The scale keeps to the limits of Zoom, with its
    // messages. The caller repaints.
    void ZoomAbout(POINT device, double factor);
    // Moves the map by dx, dy device pixels, as a drag or the arrow keys
    // move it, with the viewport of the last paint. The caller repaints.
    void Pan(int dx, int dy);
    // Full Scale: the whole of the map layers, fitted to the window with a
    // margin; without map layers (or none readable), centre (0, 0) at scale
    // 300000000. The caller repaints.
    void FullScale();
    // Set Coordinates, the two ends of its dialog: the document centre as
    // latitude and longitude in decimal degrees and the scale, as the dialog
    // starts; and, on OK, the centre and scale from the fields (the caller
    // repaints). Both convert with the viewport of the last paint.
    SetCoordDialogTB SetCoordinatesTexts();
    void ApplySetCoordinates(const SetCoordDialogTB& fields);
    // Sets the document centre to the world point under a logical point,
    // with the viewport of the last paint.
    void SetCentre(POINT logical);

private:
    MapDocument& document;
    ViewSettings settings;
    // Left by the steps of one paint for the later ones: the boxes of the
    // grid labels drawn, and the data labels still to be placed.
    std::vector<TBox> gridLabelBoxes;
    DataLabels dataLabels;
};

}  // namespace okap
