// Speed of the document's round trip against plain file I/O of the same bytes, of the
// codec alone (classic and the newer layouts) with and without one-by-one edits, and of
// listing a large save folder.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "core/AppData.h"
#include "core/Edit.h"
#include "doc/Doc.h"
#include "res/resource.h"
#include "support/File.h"
#include "support/Paths.h"
#include "support/mbConsole.h"

namespace {

std::string Folder() {
    static std::string dir = [] {
        char pattern[] = "/tmp/velmor-bench-XXXXXX";
        return std::string(mkdtemp(pattern));
    }();
    return dir;
}

void WriteAll(const std::string& path, const std::vector<unsigned char>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

// Open, decode, change one value, encode and save through the temporary file.
void RoundTrips(benchmark::State& state, const std::string& path) {
    cAppData ad;
    for (auto _ : state) {
        DocOpenFile(ad, path.c_str());
        DocGetData(ad);
        ad.player.strength ^= 1;
        DocSetData(ad);
        if (!DocSaveFile(ad, path.c_str())) state.SkipWithError("save failed");
    }
}

// A save of the given size: the template with its item section padded.
std::string MakeSave(std::size_t size) {
    std::vector<unsigned char> bytes(newCharTemplate, newCharTemplate + TEMPLATE_SIZE);
    bytes.resize(std::max<std::size_t>(size, TEMPLATE_SIZE), 0x5A);
    bytes.resize(size);
    const std::string path = Folder() + "/save" + std::to_string(size) + ".d2s";
    WriteAll(path, bytes);
    return path;
}

// The round trip on a template of the given size. The changed value keeps the file's
// length, so that the largest file stays within the loader's limit.
void BM_RoundTrip(benchmark::State& state) {
    const std::string path = MakeSave(state.range(0));
    RoundTrips(state, path);
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

std::vector<unsigned char> ReadAll(const std::string& path) {
    std::vector<unsigned char> bytes(200000);
    FILE* f = std::fopen(path.c_str(), "rb");
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
    std::fclose(f);
    return bytes;
}

// The same bytes read and written in place with stdio, nothing else.
void BM_RawReadWrite(benchmark::State& state) {
    const std::string path = MakeSave(state.range(0));
    for (auto _ : state) {
        const std::vector<unsigned char> bytes = ReadAll(path);
        FILE* f = std::fopen(path.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

// The same bytes read and written as durably as the editor writes them: a temporary file,
// flushed to disk, renamed over the original.
void BM_RawDurableWrite(benchmark::State& state) {
    const std::string path = MakeSave(state.range(0));
    for (auto _ : state) {
        const std::vector<unsigned char> bytes = ReadAll(path);
        const std::string tmp = path + ".tmp";
        FILE* f = std::fopen(tmp.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fflush(f);
        fsync(fileno(f));
        std::fclose(f);
        std::rename(tmp.c_str(), path.c_str());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

// The newer layouts: a 1.10 save (980 bytes), a remaster save (2,684 bytes) and a save of
// the remaster 3.0 (version 105, 1,003 bytes).
const char* const kSamples[] = {"d2v110f.d2s", "98_Agelatus.d2s", "105_Warlock.d2s"};

std::string CopySample(int index) {
    const std::string path = Folder() + "/" + kSamples[index];
    const std::vector<unsigned char> bytes =
        ReadAll(std::string(VELMOR_SAMPLES) + "/" + kSamples[index]);
    WriteAll(path, bytes);
    return path;
}

void BM_SampleRoundTrip(benchmark::State& state) {
    const std::string path = CopySample(state.range(0));
    RoundTrips(state, path);
}

// Decoding and encoding alone: the writability check, the bit-packed list decoded, one
// value changed and the list encoded back into the buffer.
void BM_NewCodec(benchmark::State& state) {
    cAppData ad;
    DocOpenFile(ad, CopySample(state.range(0)).c_str());
    for (auto _ : state) {
        DocGetData(ad);
        ad.player.strength ^= 1;
        DocSetData(ad);
        benchmark::DoNotOptimize(ad.data);
    }
}

// The same with a quest, a waypoint and a skill edited one by one, switched on and off in
// turn so that the file stays the same size.
void BM_ProgressEdit(benchmark::State& state) {
    cAppData ad;
    DocOpenFile(ad, CopySample(state.range(0)).c_str());
    bool on = false;
    for (auto _ : state) {
        on = !on;
        DocGetData(ad);
        ad.edit.quests[1][5] = on ? QuestState::Done : QuestState::None;
        (on ? ad.edit.waypointsOn : ad.edit.waypointsOff)[2] = std::uint64_t(1) << 35;
        (on ? ad.edit.waypointsOff : ad.edit.waypointsOn)[2] = 0;
        ad.edit.skills[3] = on ? 7 : 0;
        DocSetData(ad);
        benchmark::DoNotOptimize(ad.data);
    }
}

void BM_CalcOffset(benchmark::State& state) {
    cAppData ad;
    DocOpenNewFile(ad, IDM_NEW_AMAZONE);
    unsigned int n = 565;
    for (auto _ : state) {
        benchmark::DoNotOptimize(CalcOffset(ad, n));
        n = n == 700 ? 565 : n + 1;
    }
}

// Encoding alone, with every optional attribute inserted and removed again in turn.
void BM_DocSetData(benchmark::State& state) {
    cAppData ad;
    ad.data = new unsigned char[TEMPLATE_SIZE + 64];
    std::memcpy(ad.data, newCharTemplate, TEMPLATE_SIZE);
    ad.length = TEMPLATE_SIZE;
    ad.capacity = TEMPLATE_SIZE + 64;
    if (state.range(0)) ad.edit.game = GameAction::Complete;
    unsigned int v = 0;
    for (auto _ : state) {
        v = v ? 0 : 77;
        ad.player.statPoints = ad.player.skillPoints = ad.player.gold = v;
        ad.player.goldStash = ad.player.experience = v;
        ad.player.life = ad.player.mana = ad.player.stamina = 50;
        ad.player.level = 1;
        DocSetData(ad);
        benchmark::DoNotOptimize(ad.data);
    }
}

// The file list's work on a folder of 10,000 saves: enumerate, keep folders, saves and
// backups, and sort without regard to case as the list box does.
void BM_ListFolder(benchmark::State& state) {
    const std::string dir = Folder() + "/many";
    if (mkdir(dir.c_str(), 0755) == 0) {
        for (int i = 0; i < 10000; ++i) {
            const std::string name = dir + "/Hero" + std::to_string(i) + (i % 10 ? ".d2s" : ".key");
            std::fclose(std::fopen(name.c_str(), "wb"));
        }
    }
    const auto noCase = [](const std::string& a, const std::string& b) {
        return strcasecmp(a.c_str(), b.c_str()) < 0;
    };
    for (auto _ : state) {
        std::vector<std::string> names;
        DIR* d = opendir(dir.c_str());
        while (dirent* e = readdir(d)) {
            const bool folder = e->d_type == DT_DIR;
            if ((folder && std::strcmp(e->d_name, ".") != 0) || TestExt(e->d_name, "d2s") ||
                TestExt(e->d_name, "bakvelmor"))
                names.push_back(e->d_name);
        }
        closedir(d);
        std::sort(names.begin(), names.end(), noCase);
        benchmark::DoNotOptimize(names.data());
    }
}

}  // namespace

BENCHMARK(BM_RoundTrip)->Arg(660)->Arg(10000)->Arg(100000);
BENCHMARK(BM_RawReadWrite)->Arg(660)->Arg(10000)->Arg(100000);
BENCHMARK(BM_RawDurableWrite)->Arg(660)->Arg(10000)->Arg(100000);
BENCHMARK(BM_SampleRoundTrip)->Arg(0)->Arg(1)->Arg(2);
BENCHMARK(BM_NewCodec)->Arg(0)->Arg(1)->Arg(2);
BENCHMARK(BM_ProgressEdit)->Arg(0)->Arg(1)->Arg(2);
BENCHMARK(BM_CalcOffset);
BENCHMARK(BM_DocSetData)->Arg(0)->Arg(1);
BENCHMARK(BM_ListFolder)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    ConsoleEchoMessages(false);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const std::string cleanup = "rm -rf '" + Folder() + "'";
    return std::system(cleanup.c_str()) == 0 ? 0 : 1;
}
