#include "datasets/dataset_layer.h"

#include <algorithm>
#include <cmath>

#include <cpl_error.h>
#include <gdal_priv.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include "datasets/dataset_open.h"
#include "datasets/geometry_conversion.h"
#include "platform/message_box.h"

namespace okap {

namespace {

// The names in a list for a message, at most a dozen of them.
std::string NameList(const std::vector<std::string>& names) {
    std::string list;
    for (size_t i = 0; i < names.size() && i < 12; ++i) list += (i ? ", " : "") + names[i];
    if (names.size() > 12) list += ", ...";
    return list;
}

bool IsNumeric(OGRFieldType type) { return type == OFTInteger || type == OFTInteger64 || type == OFTReal; }

}  // namespace

struct DatasetLayer::Gdal {
    GDALDatasetUniquePtr dataset;
    OGRLayer* layer = nullptr;
    OGRCoordinateTransformation* transformation = nullptr;  // none when the layer is in longitude and latitude
    OGRFeatureUniquePtr feature;

    ~Gdal() { OGRCoordinateTransformation::DestroyCT(transformation); }
};

DatasetLayer::DatasetLayer() : gdal(std::make_unique<Gdal>()) {}
DatasetLayer::~DatasetLayer() = default;

int DatasetLayer::Fail(const std::string& text) const {
    ShowError(text);
    return 0;
}

std::string DatasetLayer::LayerText() const { return "Dataset " + datasetName + ", layer " + layerName; }

std::string DatasetLayer::FeatureText() const { return LayerText() + ", feature " + std::to_string(featureId); }

int DatasetLayer::Open(const LayerChoice& choice) {
    datasetName = choice.dataset;
    layerName = choice.layer;
    gdal->dataset = OpenVectorDataset(choice.dataset);
    if (!gdal->dataset) return 0;

    gdal->layer = choice.layer.empty() ? gdal->dataset->GetLayer(0) : gdal->dataset->GetLayerByName(choice.layer.c_str());
    if (gdal->layer == nullptr) {
        std::vector<std::string> names;
        for (OGRLayer* layer : gdal->dataset->GetLayers()) names.emplace_back(layer->GetName());
        return Fail("Dataset " + choice.dataset + " has no layer " + choice.layer + " (its layers: " +
                    NameList(names) + ")");
    }
    layerName = gdal->layer->GetName();

    if (!choice.where.empty()) {
        CPLErrorReset();
        if (gdal->layer->SetAttributeFilter(choice.where.c_str()) != OGRERR_NONE)
            return Fail(LayerText() + ": the filter " + choice.where + " is refused" + GdalReason());
    }

    const OGRSpatialReference* crs = gdal->layer->GetSpatialRef();
    projected = crs != nullptr && !crs->IsGeographic();
    if (crs != nullptr) {
        OGRSpatialReference lonLat;
        lonLat.SetWellKnownGeogCS("WGS84");
        lonLat.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        // Longitudes and latitudes of WGS 84 already, in either axis order:
        // taken as they are, so that nothing is lost in a round through PROJ.
        const char* sameExceptOrder[] = {"IGNORE_DATA_AXIS_TO_SRS_AXIS_MAPPING=YES",
                                         "CRITERION=EQUIVALENT_EXCEPT_AXIS_ORDER_GEOGCRS", nullptr};
        const bool lonLatFirst = crs->GetDataAxisToSRSAxisMapping() == lonLat.GetDataAxisToSRSAxisMapping();
        if (!(lonLatFirst && crs->IsSame(&lonLat, sameExceptOrder))) {
            CPLErrorReset();
            gdal->transformation = OGRCreateCoordinateTransformation(crs, &lonLat);
            if (gdal->transformation == nullptr) {
                const char* name = crs->GetName();
                return Fail(LayerText() + ": its coordinate system " + (name ? name : "(unnamed)") +
                            " cannot be transformed to longitude and latitude");
            }
        }
    }
    // Some drivers find a faulty filter only once they read (in SQL, say):
    // counting the features reads.
    CPLErrorReset();
    featureCount = std::max<int64_t>(0, gdal->layer->GetFeatureCount(TRUE));
    if (CPLGetLastErrorType() >= CE_Failure) {
        return Fail(LayerText() + (choice.where.empty() ? ": its features cannot be read"
                                                        : ": the filter " + choice.where + " is refused") +
                    GdalReason());
    }
    gdal->layer->ResetReading();
    return 1;
}

std::optional<int> DatasetLayer::Field(const std::string& name) const {
    const OGRFeatureDefn* definition = gdal->layer->GetLayerDefn();
    const int index = definition->GetFieldIndex(name.c_str());
    if (index >= 0) return index;
    std::vector<std::string> names;
    for (int i = 0; i < definition->GetFieldCount(); ++i) names.emplace_back(definition->GetFieldDefn(i)->GetNameRef());
    Fail(LayerText() + " has no field " + name + (names.empty() ? " (it has none)" : " (its fields: " + NameList(names) + ")"));
    return std::nullopt;
}

bool DatasetLayer::RequireNumeric(int field) const {
    const OGRFieldDefn* definition = gdal->layer->GetLayerDefn()->GetFieldDefn(field);
    const OGRFieldType type = definition->GetType();
    if (IsNumeric(type)) return true;
    Fail(LayerText() + ": the field " + definition->GetNameRef() + " is not numeric (" +
         OGRFieldDefn::GetFieldTypeName(type) + ")");
    return false;
}

std::vector<FieldSummary> DatasetLayer::Fields() const {
    const OGRFeatureDefn* definition = gdal->layer->GetLayerDefn();
    std::vector<FieldSummary> fields;
    for (int i = 0; i < definition->GetFieldCount(); ++i) {
        const OGRFieldDefn* field = definition->GetFieldDefn(i);
        fields.push_back({field->GetNameRef(), IsNumeric(field->GetType())});
    }
    return fields;
}

bool DatasetLayer::Next() {
    CPLErrorReset();
    gdal->feature.reset(gdal->layer->GetNextFeature());
    if (!gdal->feature) {
        // The end, or a dataset that breaks off.
        if (CPLGetLastErrorType() >= CE_Failure && !readFailed) {
            readFailed = true;
            Fail(LayerText() + ": reading stopped after feature " + std::to_string(featureId) + GdalReason());
        }
        return false;
    }
    ++featuresRead;
    const GIntBig fid = gdal->feature->GetFID();
    featureId = fid == OGRNullFID ? featuresRead : fid;
    return true;
}

std::optional<std::string> DatasetLayer::Text(int field) const {
    if (!gdal->feature || !gdal->feature->IsFieldSetAndNotNull(field)) return std::nullopt;
    return std::string(gdal->feature->GetFieldAsString(field));
}

std::optional<double> DatasetLayer::Number(int field) const {
    if (!gdal->feature || !gdal->feature->IsFieldSetAndNotNull(field)) return std::nullopt;
    const double value = gdal->feature->GetFieldAsDouble(field);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

bool DatasetLayer::HasGeometry() const {
    const OGRGeometry* geometry = gdal->feature ? gdal->feature->GetGeometryRef() : nullptr;
    return geometry != nullptr && !geometry->IsEmpty();
}

FeatureShapes DatasetLayer::Shapes(Want want) const {
    FeatureShapes shapes;
    const OGRGeometry* geometry = gdal->feature ? gdal->feature->GetGeometryRef() : nullptr;
    if (geometry == nullptr || geometry->IsEmpty()) {
        shapes.empty = true;
        return shapes;
    }
    std::unique_ptr<OGRGeometry> linear = LinearCopy(*geometry);
    if (!AllFinite(*linear)) {
        shapes.defects.push_back(ShapeDefect::Fatal("a coordinate is not a finite number"));
        return shapes;
    }
    if (gdal->transformation != nullptr && linear->transform(gdal->transformation) != OGRERR_NONE) {
        shapes.defects.push_back(ShapeDefect::Fatal("its coordinates cannot be transformed to longitude and latitude"));
        return shapes;
    }
    if (want == Want::Shapes)
        AddShapes(*linear, shapes);
    else
        AddPlaces(*linear, shapes);
    // A layer without a projected coordinate system is in longitude and
    // latitude: the first point beyond them shows it is not (metres of an
    // unnamed projection, say), and every other feature would say the same.
    if (!projected) {
        for (ShapeDefect& defect : shapes.defects) {
            if (!defect.notLonLat) continue;
            defect.text += " (the layer names no projected coordinate system)";
            defect.stopsImport = true;
        }
    }
    return shapes;
}

double DatasetLayer::Progress() const {
    return featureCount > 0 ? std::min(1.0, static_cast<double>(featuresRead) / static_cast<double>(featureCount))
                            : 1.0;
}

}  // namespace okap
