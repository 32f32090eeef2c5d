#include "platform/AssetFolder.hpp"

namespace fs = std::filesystem;

const std::string& AssetFolder::root() {
    static const std::string folder = "../assets/";
    return folder;
}

std::string AssetFolder::path(const std::string& relative) {
    return root() + relative;
}

fs::path AssetFolder::assetsSeenFrom(const fs::path& runFolder) {
    return runFolder / root();
}

std::string AssetFolder::savePath(const std::string& fileName) {
    return path("SaveFiles/" + fileName);
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
