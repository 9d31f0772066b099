#include "TestUtil.h"

#include <dirent.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

bool Exists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

std::string TestData(const std::string& name) { return std::string(VELMOR_TEST_DATA) + "/" + name; }

TempDir::TempDir() {
    char pattern[] = "/tmp/velmor-test-XXXXXX";
    path = mkdtemp(pattern);
}

TempDir::~TempDir() {
    const std::string cmd = "chmod -R u+w '" + path + "' 2>/dev/null; rm -rf '" + path + "'";
    if (std::system(cmd.c_str()) != 0) std::fprintf(stderr, "could not remove %s\n", path.c_str());
}

std::vector<std::string> TempDir::List() const {
    std::vector<std::string> names;
    if (DIR* d = opendir(path.c_str())) {
        while (dirent* e = readdir(d)) {
            const std::string n = e->d_name;
            if (n != "." && n != "..") names.push_back(n);
        }
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

Bytes ExpectedTemplate() {
    struct Run {
        unsigned offset;
        Bytes bytes;
    };
    const Run runs[] = {
        {0, {0x55, 0xAA, 0x55, 0xAA}},
        {4, {0x59}},
        {28, {0x3F, 0x01, 0x10}},
        {32, {0x82}},
        {36, {0x01}},
        {130, {'W', 'o', 'o', '!', 6}},
        {138, {0x2A, 0x01}},
        {428, {'W', 'S', 1}},
        {434, {0x50}},
        {436, {2, 1, 1}},
        {460, {2, 1, 1}},
        {484, {2, 1, 1}},
        {508, {0x01, 0x77, 0x34}},
        {560, {'g', 'f', 0xCF, 0x1F}},
        {565, {20}},
        {569, {15}},
        {573, {25}},
        {577, {20}},
        {582, {50}},
        {586, {50}},
        {590, {15}},
        {594, {15}},
        {598, {84}},
        {602, {84}},
        {605, {1}},
        {609, {'i', 'f'}},
        {641, {'J', 'M'}},
        {645, {'J', 'M'}},
        {653, {0x14}},
        {658, {0x32}},
        {666, {0x0F}},
        {670, {0x0F}},
        {678, {0x54}},
        {685, {0x69, 0xFF}},
    };
    Bytes t(706, 0);
    for (const Run& r : runs) std::copy(r.bytes.begin(), r.bytes.end(), t.begin() + r.offset);
    for (unsigned o = 38; o <= 70; ++o) t[o] = 0xFF;
    for (unsigned o = 72; o <= 84; o += 2) t[o] = 0xFF;
    for (unsigned o : {650, 656, 662, 668, 674, 680, 692}) t[o] = 0xFF;
    return t;
}

namespace {

std::string quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::string slurp(const std::string& path) {
    std::ifstream in(path);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

}  // namespace

CliResult RunCli(const std::vector<std::string>& args, const std::string& cwd,
                 const std::string& shellPrefix) {
    TempDir capture;
    std::string cmd = "cd " + quote(cwd) + " && " + shellPrefix + " " + quote(VELMOR_CLI);
    for (const std::string& a : args) cmd += " " + quote(a);
    cmd += " >" + quote(capture / "out") + " 2>" + quote(capture / "err");
    const int raw = std::system(("sh -c " + quote(cmd)).c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(capture / "out"), slurp(capture / "err")};
}

#include "app/AppData.h"
#include "doc/Doc.h"

bool LoadDoc(cAppData& ad, const Bytes& bytes) {
    static const TempDir dir;
    WriteBytes(dir / "doc.d2s", bytes);
    if (!DocOpenFile(ad, (dir / "doc.d2s").c_str())) return false;
    DocGetData(ad);
    return true;
}

Bytes DocBytes(const cAppData& ad) { return Bytes(ad.data, ad.data + ad.length); }

void Put16(Bytes& b, unsigned offset, unsigned value) {
    b[offset] = value & 0xFF;
    b[offset + 1] = (value >> 8) & 0xFF;
}

void Put32(Bytes& b, unsigned offset, unsigned value) {
    Put16(b, offset, value & 0xFFFF);
    Put16(b, offset + 2, value >> 16);
}
