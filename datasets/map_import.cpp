#include "datasets/map_import.h"

#include <filesystem>
#include <vector>

#include "datasets/import_styles.h"
#include "platform/message_box.h"
#include "styles/map_format.h"

namespace okap {

namespace {

// One feature per type, named after its value.
int WriteTypes(const std::filesystem::path& path, const std::vector<ImportedType>& types) {
    std::vector<FeatureEntry> entries;
    FeatureStyles styles;
    for (size_t i = 0; i < types.size(); ++i) {
        const ImportedType& type = types[i];
        entries.push_back({FeatureEntryText(type.number, type.value), true});
        styles[static_cast<size_t>(type.number - 1)] = ImportedTypeStyle(i, type.areas);
    }
    return SaveMapFormat(path, entries, styles, path.filename().string());
}

}  // namespace

int ImportMap(const MapImportSettings& settings, const TranslateProgress& progress, MapImportSummary* summary) {
    DatasetLayer layer;
    if (!layer.Open(settings.source)) return 0;
    DatasetSource source(layer, settings.typing);
    if (!source.Prepare()) return 0;

    TranslatorSettings translator = settings.translator;
    translator.inputName = settings.source.dataset;
    MapTranslation translation;
    if (!translation.Start(translator, &source)) return 0;
    const std::filesystem::path formatPath =
        std::filesystem::path(translation.Summary().outputFile).replace_extension(kMapFormatExtension);
    std::error_code error;
    if (std::filesystem::exists(formatPath, error) &&
        MessageBox("File " + formatPath.string() + " already exists - Replace?", "Query", MessageButtons::YesNo,
                   MessageIcon::Question) != MessageResult::Yes)
        return 0;

    const int ok = translation.Run(progress) && WriteTypes(formatPath, source.Types());
    if (summary != nullptr) {
        summary->translation = translation.Summary();
        summary->formatFile = formatPath.string();
        summary->types = source.Types().size();
        summary->counts = source.Counts();
    }
    return ok;
}

}  // namespace okap
