#include "TestUtil.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "core/AppData.h"
#include "doc/Doc.h"

namespace fs = std::filesystem;

TempDir::TempDir() {
    char pattern[] = "/tmp/velmor-test-XXXXXX";
    path = mkdtemp(pattern);
}

// Tests leave read-only folders behind; they are made writable again to be removed.
TempDir::~TempDir() { std::system(("chmod -R u+w '" + path + "'; rm -rf '" + path + "'").c_str()); }

std::map<std::string, Bytes> Snapshot(const std::string& folder) {
    std::map<std::string, Bytes> files;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
        const std::string target = e.is_symlink() ? "->" + fs::read_symlink(e).string() : "/";
        files[e.path().lexically_relative(folder)] = e.is_symlink() || e.is_directory()
                                                         ? Bytes(target.begin(), target.end())
                                                         : ReadBytes(e.path());
    }
    return files;
}

// The non-zero runs of the 706-byte image, "offset:bytes in hex", written out by hand.
Bytes ExpectedTemplate() {
    std::istringstream runs(
        "0:55AA55AA 4:59 28:3F0110 32:82 36:01 130:576F6F2106 138:2A01 428:575301 434:50 "
        "436:020101 460:020101 484:020101 508:017734 560:6766CF1F 565:14 569:0F 573:19 577:14 "
        "582:32 586:32 590:0F 594:0F 598:54 602:54 605:01 609:6966 641:4A4D 645:4A4D 653:14 "
        "658:32 666:0F 670:0F 678:54 685:69FF 650:FF 656:FF 662:FF 668:FF 674:FF 680:FF 692:FF");
    Bytes t(706, 0);
    std::fill(t.begin() + 38, t.begin() + 71, 0xFF);
    for (unsigned o = 72; o <= 84; o += 2) t[o] = 0xFF;
    unsigned at;
    char colon;
    std::string hex;
    while (runs >> at >> colon >> hex)
        for (std::size_t i = 0; i < hex.size(); i += 2)
            t[at++] = std::stoul(hex.substr(i, 2), 0, 16);
    return t;
}

CliResult RunCli(const std::vector<std::string>& args, const std::string& cwd,
                 const std::string& shellPrefix) {
    auto quote = [](const std::string& s) {
        std::string q = "'";
        for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return q + "'";
    };
    TempDir capture;
    std::string cmd = "cd " + quote(cwd) + " && " + shellPrefix + " " + quote(VELMOR_CLI);
    for (const std::string& a : args) cmd += " " + quote(a);
    cmd += " >" + quote(capture / "out") + " 2>" + quote(capture / "err");
    const int raw = std::system(("sh -c " + quote(cmd)).c_str());
    const Bytes out = ReadBytes(capture / "out"), err = ReadBytes(capture / "err");
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, std::string(out.begin(), out.end()),
            std::string(err.begin(), err.end())};
}

bool LoadDoc(cAppData& ad, const Bytes& bytes) {
    static const TempDir dir;
    WriteBytes(dir / "doc.d2s", bytes);
    if (!DocOpenFile(ad, (dir / "doc.d2s").c_str())) return false;
    DocGetData(ad);
    return true;
}

Bytes DocBytes(const cAppData& ad) { return Bytes(ad.data, ad.data + ad.length); }
