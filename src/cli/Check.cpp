// velmor-cli check: the game's verdict on each file, one line (or JSON object) per file.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/Report.h"
#include "core/AppData.h"
#include "doc/Doc.h"
#include "doc/DocCheck.h"
#include "doc/DocError.h"
#include "doc/DocNewbie.h"

namespace {

const char* const kCheckHelp =
    "usage: velmor-cli check FILE... [--json]\n"
    "\n"
    "Tells for each file whether the game loads it unchanged, by the game's own load rules:\n"
    "one line per file, 'ok' or each problem with its kind:\n"
    "  refused  the game does not load the file (\"failed to join game\"): a wrong checksum\n"
    "           or size field, a name that is not the file's, a dead hardcore character,\n"
    "           Nightmare or Hell played before their progression, a section or attribute\n"
    "           it cannot read\n"
    "  changed  the game loads it but changes it: gold above its cap is set to 0, an act\n"
    "           past the last one becomes Act I, a waypoint block with an old head is cleared\n"
    "  depends  only some games of the file's version change it: a version-96 stash above\n"
    "           the level's cap, which 1.10-1.12 set to 0 and 1.13 and later keep\n"
    "--json prints one JSON object per line and file: its \"file\", \"verdict\" (ok, refused,\n"
    "changed or depends, the worst kind found) and \"problems\", each with \"kind\", \"rule\",\n"
    "\"found\" and \"game\".\n"
    "A new character's file as the game writes it at creation (velmor-cli new --game)\n"
    "is what the game expects: 'ok', with a note (JSON: \"note\") that the game builds\n"
    "the character when it first loads it.\n"
    "\n"
    "Exit status: 0 when every file loads unchanged (problems of the kind depends\n"
    "included), 1 when any would be refused or changed or cannot be read or checked,\n"
    "2 bad usage.\n";

void say(const std::string& message) { std::fprintf(stderr, "velmor-cli: %s\n", message.c_str()); }

}  // namespace

const char* CheckHelpText() { return kCheckHelp; }

int RunCheck(const Options& opts) {
    int status = EXIT_OK;
    for (const std::string& file : opts.files) {
        cAppData ad;
        DocResult why;
        if (!DocOpenFile(ad, file.c_str(), &why)) {
            say(DocErrorMessage(why, file));
            status = EXIT_REFUSED;
            continue;
        }
        if (!DocLayout(ad).writable) {
            say(file + ": format version " + std::to_string(DocFormatVersion(ad)) + " (" +
                DocLayout(ad).game + ") is not checked: its layout is not known");
            status = EXIT_REFUSED;
            continue;
        }
        DocGetData(ad);
        const std::vector<GameProblem> problems = DocCheck(ad);
        // A stash that only 1.10-1.12 empty is the player's own gold in 1.13 and later.
        if (!problems.empty() && WorstKind(problems) != GameKind::Depends) status = EXIT_REFUSED;
        // A newbie file is what the game expects of a character it has not yet built.
        const std::string note =
            DocIsNewbie(ad) ? std::string("the file ") + DocErrorText(DocError::NotPlayed) : "";
        PrintCheck(file, problems, opts.json, note);
    }
    return status;
}
