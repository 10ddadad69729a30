#include "app/frame/first_start.h"

#include <QDir>
#include <QStandardPaths>
#include <system_error>

namespace okap {

ACDialogTB FirstStartSettings(const std::filesystem::path& programDirectory) {
    ACDialogTB settings{programDirectory.string(), "", "", "1000", 0};
    const std::filesystem::path samples = std::filesystem::path(QDir::homePath().toStdString()) / kSampleWorkspace;
    std::error_code ignored;
    if (std::filesystem::is_directory(samples, ignored)) {
        settings.mapsPath = settings.dataPath = samples.string();
        return settings;
    }
    const std::filesystem::path documents =
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
    const std::filesystem::path folder = documents / "OKAP";
    settings.mapsPath = (folder / "maps").string();
    settings.dataPath = (folder / "data").string();
    // A folder that cannot be made shows when it is used, as any path of
    // okap.ini that does not exist.
    std::filesystem::create_directories(settings.mapsPath, ignored);
    std::filesystem::create_directories(settings.dataPath, ignored);
    return settings;
}

}  // namespace okap
