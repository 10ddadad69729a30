#include "app/frame/first_start.h"

#include <QDir>
#include <QStandardPaths>
#include <cstdlib>
#include <string>
#include <system_error>

namespace okap {

namespace {

// <prefix>/share/okap of a program installed in <prefix>/bin, or empty when
// the program runs from elsewhere (a build directory).
std::filesystem::path InstalledShareDirectory(const std::filesystem::path& programDirectory) {
    const std::filesystem::path share = (programDirectory / ".." / "share" / "okap").lexically_normal();
    std::error_code ignored;
    return std::filesystem::is_directory(share / "help", ignored) ? share : std::filesystem::path();
}

// Copies the installed samples to a new workspace: into a hidden folder
// beside it first, which takes the workspace's name only when complete, so
// that a copy that fails part way leaves nothing a later start would take
// for the workspace, and a workspace made meanwhile is never touched.
void CopySamples(const std::filesystem::path& installed, const std::filesystem::path& workspace) {
    std::error_code error;
    if (!std::filesystem::is_directory(installed, error)) return;
    std::string partial = (workspace.parent_path() / ("." + workspace.filename().string() + ".XXXXXX")).string();
    if (!mkdtemp(partial.data())) return;
    std::filesystem::copy(installed, partial, std::filesystem::copy_options::recursive, error);
    if (!error) std::filesystem::rename(partial, workspace, error);
    if (error) std::filesystem::remove_all(partial, error);
}

}  // namespace

ACDialogTB FirstStartSettings(const std::filesystem::path& programDirectory) {
    const std::filesystem::path share = InstalledShareDirectory(programDirectory);
    ACDialogTB settings{share.empty() ? programDirectory.string() : share.string(), "", "", "1000", 0};
    const std::filesystem::path samples = std::filesystem::path(QDir::homePath().toStdString()) / kSampleWorkspace;
    std::error_code ignored;
    if (!share.empty() && !std::filesystem::exists(samples, ignored)) CopySamples(share / "samples", samples);
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
