#include "platform/AssetFolder.hpp"

#include <unistd.h>

#include "platform/UserFolders.hpp"

namespace fs = std::filesystem;

namespace {

std::string& rootFolder() {
    static std::string folder = "../assets/";
    return folder;
}

constexpr const char* kSaveFolder = "SaveFiles";

}  // namespace

const std::string& AssetFolder::root() {
    return rootFolder();
}

void AssetFolder::useInstalled(const fs::path& folder) {
    rootFolder() = folder.string() + "/";
}

fs::path AssetFolder::installedSeenFrom(const fs::path& executableFolder) {
    return (executableFolder / "../share/tumbleleaf").lexically_normal();
}

std::string AssetFolder::path(const std::string& relative) {
    return root() + relative;
}

fs::path AssetFolder::assetsSeenFrom(const fs::path& runFolder) {
    return runFolder / root();
}

std::string AssetFolder::savePath(const std::string& fileName) {
    const std::string inAssets = path(std::string(kSaveFolder) + "/" + fileName);
    if (::access(path(kSaveFolder).c_str(), W_OK) == 0) {
        return inAssets;
    }
    const auto dataFolder = UserFolders().dataFolder();
    if (!dataFolder) {
        return inAssets;  // nowhere better: the write fails and is reported there
    }
    std::error_code unmade;
    fs::create_directories(*dataFolder / kSaveFolder, unmade);
    return (*dataFolder / kSaveFolder / fileName).string();
}

std::optional<fs::path> AssetFolder::findRunFolder(const fs::path& workingDirectory,
                                                   const fs::path& executableFolder) {
    for (const fs::path& candidate : {workingDirectory, executableFolder}) {
        std::error_code unreadable;
        if (!candidate.empty() && fs::is_directory(assetsSeenFrom(candidate), unreadable)) {
            return candidate;
        }
    }
    return std::nullopt;
}

fs::path AssetFolder::executableFolder(const char* argv0) {
    std::error_code unknown;
    const fs::path self = fs::read_symlink("/proc/self/exe", unknown);
    if (!unknown) {
        return self.parent_path();
    }
    return argv0 == nullptr ? fs::path() : fs::absolute(argv0, unknown).parent_path();
}
