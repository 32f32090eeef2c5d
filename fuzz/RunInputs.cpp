// A main for the fuzz targets where there is no libFuzzer (any compiler but clang): runs the
// target once over every file given, or every file in the folders given, so that the seed corpus
// and every input that ever crashed are run by each normal test build.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "FuzzSupport.hpp"

namespace {

namespace fs = std::filesystem;

void runFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                                  std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        const fs::path argument = argv[i];
        if (argv[i][0] == '-') {
            continue;  // libFuzzer's options, meaningless here
        }
        if (fs::is_directory(argument)) {
            for (const auto& entry : fs::directory_iterator(argument)) {
                if (entry.is_regular_file()) {
                    inputs.push_back(entry.path());
                }
            }
        } else {
            inputs.push_back(argument);
        }
    }
    std::sort(inputs.begin(), inputs.end());
    for (const auto& input : inputs) {
        runFile(input);
    }
    std::cout << "Ran " << inputs.size() << " input(s)" << std::endl;
    return 0;
}
