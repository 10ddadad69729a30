#pragma once
// The map layer dialog ("Map layer options"): the document's map layers,
// drawn in list order with the first as the base map, and the base map's
// projection. Every map layer must share the base map's projection: editing
// a layer offers only the map files of the same projection, origin and
// longitude offset mode. New copies the selected layer below itself, or,
// on an empty list, starts with the first map file and format file found,
// with every map file on offer.

#include <string>

#include "app/dialogs/layers/layer_dialog.h"
#include "core/latlong.h"

class QLineEdit;

namespace okap {

struct MapLayerDialogTB {
    ListData layers;
    // The base map's projection as shown, read-only.
    std::string projectionType = " ";
    std::string originLongitude = " ";
    std::string originLatitude = " ";
    std::string projectionOffset = " ";
};

class MapLayerDialog : public LayerDialog {
    Q_OBJECT
public:
    // Lists transfer's layers and, when the document has map layers, shows
    // the projection of the first entry's map file.
    MapLayerDialog(const MapLayerDialogTB& transfer, okapMDIChild& window);

    MapLayerDialogTB Transfer() const;

    void HandleNew() override;
    // Offers the map files that share the base map's projection (every map
    // file while the first layer is added) and every map format file, and
    // puts the choice in place of the selected entry.
    void HandleEdit() override;
    // Also blanks the projection once the list is empty.
    void HandleDelete() override;
    // The base map's projection from its map file, kept for choosing the
    // other layers' map files, and shown.
    void SetProjection(const std::string& mapfile);

private:
    void SetupWindow();
    int& Count() override;
    void ShowProjection(const std::string& type, const std::string& longitude, const std::string& latitude,
                        const std::string& offset);

    // The base projection: index into Projection_Codes, origin and
    // longitude offset mode.
    int baseIndex = 0;
    Position baseOrigin;
    int baseOffset = 1;
    // Set while New adds the first layer.
    bool firstLayer = false;

    QLineEdit* typeEdit;
    QLineEdit* longitudeEdit;
    QLineEdit* latitudeEdit;
    QLineEdit* offsetEdit;
};

}  // namespace okap
