// The fuzz targets' main in every build but the fuzz preset's: it runs the
// target once over each saved input, so gcc builds, and the asan preset's
// sanitizers, check every input a fuzzing run found worth keeping. Each input
// is handed over in a heap block of exactly its size, as libFuzzer does, so a
// read past its end is reported.
// Usage: TARGET CORPUS_DIRECTORY_OR_INPUT...
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
// Only some targets define it; in the others the weak reference stays null.
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

namespace fs = std::filesystem;

// A directory's files in name order, so every run replays the same sequence.
std::vector<fs::path> inputsAt(const fs::path& place) {
    if (!fs::is_directory(place)) {
        return {place};
    }
    std::vector<fs::path> inputs;
    for (const auto& entry : fs::directory_iterator(place)) {
        if (entry.is_regular_file()) {
            inputs.push_back(entry.path());
        }
    }
    std::ranges::sort(inputs);
    return inputs;
}

bool replay(const fs::path& input) {
    std::fprintf(stderr, "replaying %s\n", input.c_str());
    std::ifstream file(input, std::ios::binary);
    std::error_code error;
    const std::size_t size = fs::file_size(input, error);
    if (!file || error) {
        return false;
    }
    const auto data = std::make_unique<std::uint8_t[]>(size);
    file.read(reinterpret_cast<char*>(data.get()), static_cast<std::streamsize>(size));
    if (file.gcount() != static_cast<std::streamsize>(size)) {
        return false;
    }
    LLVMFuzzerTestOneInput(data.get(), size);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize != nullptr) {
        LLVMFuzzerInitialize(&argc, &argv);
    }
    std::size_t replayed = 0;
    for (int i = 1; i < argc; ++i) {
        for (const fs::path& input : inputsAt(argv[i])) {
            if (!replay(input)) {
                std::fprintf(stderr, "cannot read %s\n", input.c_str());
                return 1;
            }
            ++replayed;
        }
    }
    std::printf("%zu inputs replayed\n", replayed);
    // A corpus that went missing must not pass as one that holds no failure.
    return replayed > 0 ? 0 : 1;
}
