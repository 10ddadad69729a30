#include "view/open_data_layer.h"

#include "core/globals.h"
#include "platform/message_box.h"

namespace okap {

namespace {

std::unique_ptr<Datafile> Fail(const std::string& message) {
    ShowError(message);
    badclient = 1;
    return nullptr;
}

}  // namespace

std::unique_ptr<Datafile> OpenDataLayer(Projection& view, const ViewSettings& settings, const okapFileInfo& layer,
                                        bool withData) {
    // On the heap: the class tables are large.
    auto file = std::make_unique<Datafile>(view, settings.mapDirectory, settings.dataDirectory);
    if (!file->ReadFormat(layer.format)) return Fail("Error reading from format file " + layer.format);
    if (withData && !file->OpenInfile(layer.file)) return Fail("Error reading from data file " + layer.file);
    return file;
}

}  // namespace okap
