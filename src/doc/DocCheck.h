// What is wrong with a save file: the damage that keeps the editor from writing it, and
// what the game does when it loads it. Both apply to the layouts this editor knows
// (FileLayout::writable) and say nothing about the others.
#pragma once

#include <string>
#include <vector>

#include "doc/DocError.h"

class cDocument;

// Every fault that makes the open file's bytes untrustworthy to edit, in file order: a size
// field that is not the length, a header without the rest, a section marker out of place,
// an attribute list that cannot be rewritten, "if", the skills or "JM" missing. Each is a
// row of the reason table with a detail naming what was found and where.
std::vector<DocResult> DocDamage(const cDocument& ad);
// "the file TEXT (DETAIL)": one damage as a reason.
std::string DocDamageText(const DocResult& damage);

// How the game takes a problem, worst first: it does not load the file, it changes it, or
// only some of the games that write the file's version change it.
enum class GameKind { Refused, Changed, Depends };
// "refused", "changed", "depends".
const char* GameKindName(GameKind kind);

// One thing the game refuses or silently changes when it loads the file.
struct GameProblem {
    const char* rule;  // a short stable name, e.g. "checksum", "gold"
    GameKind kind;
    std::string found;   // what is wrong and where
    const char* action;  // what the game does, following "the game" (Depends: which games do what)
};
// The worst kind among the problems; Depends when there are none, which counts as loading
// unchanged.
GameKind WorstKind(const std::vector<GameProblem>& problems);
// The problems of the open file as loaded (DocGetData has run); none when the game loads it
// unchanged. The character's name is compared with the name of ad.filename.
std::vector<GameProblem> DocCheck(const cDocument& ad);
// "refused: FOUND", "changed: FOUND: the game ACTION" or "depends: FOUND: ACTION".
std::string GameProblemText(const GameProblem& problem);
// The window's verdict, of the problems of the worst kind: "the game would refuse this file:
// ...", "the game would change this file: ..." or "some games would change this file: ...";
// empty when the game loads it unchanged or the layout is not known.
std::string DocVerdictText(const cDocument& ad);
