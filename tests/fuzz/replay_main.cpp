// Runs a fuzz target once over every file of its corpus folder, without libFuzzer, so that
// the ordinary build replays the corpus as a test. A violated property aborts the run.
#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "Bytes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER\n", argv[0]);
        return 2;
    }
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(argv[1])) {
        const Bytes input = ReadBytes(entry.path());
        LLVMFuzzerTestOneInput(input.data(), input.size());
        ++replayed;
    }
    std::printf("%d inputs replayed from %s\n", replayed, argv[1]);
    return replayed > 0 ? 0 : 1;
}
