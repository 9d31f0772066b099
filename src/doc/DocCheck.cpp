// What the game does with a save when it loads it, rule by rule: it refuses a file whose
// checksum, size, name, status, difficulty or sections are wrong, and silently changes gold
// above its cap, an act byte past the last act and waypoint blocks with an old head. A
// version-96 stash above the level's cap depends on the patch: 1.10-1.12 empty it, 1.13
// and later keep it. Every
// offset comes from the file's FileLayout, so a new layout row is checked without more code.
#include "doc/DocCheck.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "core/Document.h"
#include "doc/Doc.h"
#include "doc/Layout.h"
#include "doc/Limits.h"
#include "support/File.h"

namespace {

enum class Rule {
    Checksum,
    Size,
    Name,
    Dead,
    Difficulty,
    Sections,
    Attributes,
    Gold,
    Stash,
    StashByPatch,
    Act,
    Waypoints
};

struct RuleRow {
    Rule rule;
    const char* name;
    GameKind kind;
    const char* action;
};

const char* const kRefuses = "does not load the file (\"failed to join game\")";
const GameKind R = GameKind::Refused, C = GameKind::Changed;
const RuleRow kRules[] = {
    {Rule::Checksum, "checksum", R, kRefuses},
    {Rule::Size, "size", R, kRefuses},
    {Rule::Name, "name", R, kRefuses},
    {Rule::Dead, "deadHardcore", R, kRefuses},
    {Rule::Difficulty, "difficulty", R, kRefuses},
    {Rule::Sections, "sections", R, kRefuses},
    {Rule::Attributes, "attributes", R, kRefuses},
    {Rule::Gold, "gold", C, "sets it to 0"},
    {Rule::Stash, "goldStash", C, "sets it to 0"},
    {Rule::StashByPatch, "goldStash", GameKind::Depends,
     "1.10-1.12 set it to 0, 1.13 and later keep it"},
    {Rule::Act, "act", C, "starts the character in Act I of that difficulty"},
    {Rule::Waypoints, "waypoints", C, "clears the block, keeping only the first waypoint"},
};

const char* const kDifficulties[3] = {"Normal", "Nightmare", "Hell"};

std::string num(unsigned int n) { return std::to_string(n); }

std::string hex(unsigned int n, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, n);
    return text;
}

void add(std::vector<GameProblem>& out, Rule rule, const std::string& found) {
    for (const RuleRow& r : kRules) {
        if (r.rule == rule) out.push_back({r.name, r.kind, found, r.action});
    }
}

// The damage the game refuses too; ids out of order or repeated it reads, and a first save
// is a file it writes itself.
void damage(const cDocument& ad, std::vector<GameProblem>& out) {
    for (const DocResult& d : DocDamage(ad)) {
        switch (d.code) {
            case DocError::SizeField:
                add(out, Rule::Size, DocDamageText(d));
                break;
            case DocError::AttrUnknownId:
            case DocError::AttrNoEnd:
                add(out, Rule::Attributes, DocDamageText(d));
                break;
            case DocError::AttrOutOfOrder:
            case DocError::AttrRepeated:
            case DocError::NotPlayed:
                break;
            default:
                add(out, Rule::Sections, DocDamageText(d));
        }
    }
}

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

void name(const cDocument& ad, std::vector<GameProblem>& out) {
    const FileLayout& l = DocLayout(ad);
    std::string inFile;
    const unsigned int end = std::min(ad.length, l.name + std::max(l.nameLen, NAME_FIELD_LEN));
    for (unsigned int i = l.name; i < end && ad.data[i]; ++i) inFile += char(ad.data[i]);
    const std::string path = ad.filename.cstr();
    const std::string file = FileWithoutExt(path).substr(FileNameStart(path));
    if (lower(inFile) != lower(file))
        add(out, Rule::Name,
            "the name in the file is \"" + inFile + "\", its file's name \"" + file + "\"");
}

void status(const cDocument& ad, std::vector<GameProblem>& out) {
    const FileLayout& l = DocLayout(ad);
    const unsigned char s = ad.data[l.status];
    if ((s & STATUS_HARDCORE) && (s & STATUS_DIED))
        add(out, Rule::Dead,
            "a hardcore character that has died (status " + hex(s, 2) + " at byte " +
                num(l.status) + ")");
}

// One byte per difficulty, 0x80 and the act on the one last played.
void difficulty(const cDocument& ad, std::vector<GameProblem>& out) {
    const FileLayout& l = DocLayout(ad);
    if (l.difficultyLen != 3 || l.difficulty + 3 > ad.length) return;
    int last = -1;
    for (int i = 0; i < 3; ++i) {
        if (ad.data[l.difficulty + i] & 0x80) last = i;
    }
    if (last < 0) return;
    const unsigned int at = l.difficulty + last;
    const unsigned int progression = ad.data[l.progression];
    const unsigned int needed = last * (DocExpansion(ad) ? 5u : 4u);
    const std::string played = std::string(kDifficulties[last]) + " was played last (byte " +
                               num(at) + " is " + hex(ad.data[at], 2) + ")";
    if (progression < needed)
        add(out, Rule::Difficulty,
            played + ", but the progression (byte " + num(l.progression) + ") is " +
                num(progression) + ", below " + num(needed));
    if ((ad.data[at] & 0x7F) >= 5)
        add(out, Rule::Act, played + ": there is no act " + num((ad.data[at] & 0x7F) + 1u));
}

// The quest section's header and the heads of the waypoint blocks.
void sectionHeads(const cDocument& ad, std::vector<GameProblem>& out) {
    const unsigned int shift = DocLayout(ad).sectionShift;
    const unsigned int woo = OFS_WOO + shift;
    if (woo + 10 <= ad.length && (get32(ad.data + woo + 4) != 6 || get16(ad.data + woo + 8) != 298))
        add(out, Rule::Sections,
            "the quest section's header (byte " + num(woo + 4) + ") holds " +
                num(get32(ad.data + woo + 4)) + " and " + num(get16(ad.data + woo + 8)) +
                ", not 6 and 298");
    for (int i = 0; i < 3; ++i) {
        const unsigned int at = WAYPOINT_BLOCKS[i] + shift;
        if (at + 2 > ad.length) return;
        const unsigned int head = get16(ad.data + at);
        const std::string block = std::string("the ") + kDifficulties[i] +
                                  " waypoint block's head (byte " + num(at) + ") is " +
                                  hex(head, 4);
        if (head == 0x101 || head == 0) {
            add(out, Rule::Waypoints, block + ", not " + hex(WAYPOINT_HEAD, 4));
        } else if (head != WAYPOINT_HEAD) {
            add(out, Rule::Sections, block + ", which no block has");
        }
    }
}

void gold(const cDocument& ad, std::vector<GameProblem>& out) {
    const PlayerData& p = ad.loaded;
    const unsigned int level = p.level > 0 ? unsigned(p.level) : 0;
    const unsigned int goldMax = MaxGold_P(level);
    const unsigned int stashMax = MaxGoldStash(level, DocFormatVersion(ad));
    const unsigned int stashKept = MaxGoldStashKept(level, DocFormatVersion(ad));
    const std::string at = " at level " + num(level);
    const std::string stash = "stash gold " + num(p.goldStash) + " is above ";
    if (p.gold > goldMax)
        add(out, Rule::Gold, "gold " + num(p.gold) + " is above " + num(goldMax) + at);
    if (p.goldStash > stashKept) {
        add(out, Rule::Stash, stash + num(stashKept) + at + ", the most this version's game keeps");
    } else if (p.goldStash > stashMax) {
        add(out, Rule::StashByPatch, stash + num(stashMax) + at + ", the most 1.10-1.12 keep");
    }
}

}  // namespace

std::vector<GameProblem> DocCheck(const cDocument& ad) {
    std::vector<GameProblem> out;
    const FileLayout& l = DocLayout(ad);
    if (!ad.data || !l.writable) return out;
    if (!DocChecksumOk(ad))
        add(out, Rule::Checksum,
            "its checksum is " + hex(get32(ad.data + OFS_CHECKSUM), 8) + ", its bytes give " +
                hex(DocChecksum(ad.data, ad.length), 8));
    damage(ad, out);
    name(ad, out);
    status(ad, out);
    if (ad.length <= OFS_WOO + l.sectionShift) return out;  // a first save has nothing more
    difficulty(ad, out);
    sectionHeads(ad, out);
    if (DocAttributesRead(ad)) gold(ad, out);
    return out;
}

const char* GameKindName(GameKind kind) {
    switch (kind) {
        case GameKind::Refused:
            return "refused";
        case GameKind::Changed:
            return "changed";
        case GameKind::Depends:
            break;
    }
    return "depends";
}

GameKind WorstKind(const std::vector<GameProblem>& problems) {
    GameKind worst = GameKind::Depends;
    for (const GameProblem& p : problems) worst = std::min(worst, p.kind);
    return worst;
}

std::string GameProblemText(const GameProblem& problem) {
    const std::string text = std::string(GameKindName(problem.kind)) + ": " + problem.found;
    switch (problem.kind) {
        case GameKind::Refused:
            return text;
        case GameKind::Changed:
            return text + ": the game " + problem.action;
        case GameKind::Depends:
            break;
    }
    return text + ": " + problem.action;
}

std::string DocVerdictText(const cDocument& ad) {
    const std::vector<GameProblem> problems = DocCheck(ad);
    const GameKind worst = WorstKind(problems);
    std::string text;
    for (const GameProblem& p : problems) {
        if (p.kind != worst) continue;
        text += (text.empty() ? "" : "; ") + p.found;
        if (worst == GameKind::Changed) text += ": it " + std::string(p.action);
        if (worst == GameKind::Depends) text += ": " + std::string(p.action);
    }
    if (text.empty()) return text;
    switch (worst) {
        case GameKind::Refused:
            return "the game would refuse this file: " + text;
        case GameKind::Changed:
            return "the game would change this file: " + text;
        case GameKind::Depends:
            break;
    }
    return "some games would change this file: " + text;
}
