#include "cli/Report.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "cli/Args.h"
#include "core/AppData.h"
#include "core/Constants.h"
#include "doc/Doc.h"
#include "doc/DocCheck.h"
#include "doc/Layout.h"

namespace {

std::string characterName(const cAppData& ad) {
    std::string name;
    const unsigned int at = DocLayout(ad).name;
    // The classic field holds 16 bytes of which the editor writes 15; 105's holds 48.
    const unsigned int len = std::max(DocLayout(ad).nameLen, NAME_FIELD_LEN);
    for (unsigned int i = at; i < at + len && i < ad.length && ad.data[i]; ++i) name += ad.data[i];
    return name;
}

// Control bytes become \u00XX in both forms, so that no name can break a line or move the
// terminal's cursor. Names are bytes, not UTF-8: a byte above 0x7E is escaped the same way,
// as the code point of its value. File paths keep such bytes, which are the system's UTF-8.
std::string escaped(const std::string& s, bool json, bool highBytes) {
    std::string out;
    for (unsigned char c : s) {
        if (c == '\\' || (json && c == '"')) {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F || (highBytes && c > 0x7F)) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\u%04x", c);
            out += esc;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string jsonString(const std::string& s, bool highBytes) {
    return "\"" + escaped(s, true, highBytes) + "\"";
}

// The edition's word, for the layouts that keep an edition byte; nullptr for the others.
const char* editionName(const cAppData& ad) {
    if (!DocLayout(ad).edition) return nullptr;
    switch (DocEdition(ad)) {
        case EDITION_CLASSIC:
            return "classic";
        case EDITION_EXPANSION:
            return "expansion";
        case EDITION_WARLOCK:
            return "warlock";
    }
    return "unknown";
}

// An attribute's value, or what stands for it when the file's attributes cannot be read.
struct Value {
    const char* name;
    unsigned int value;
    bool known;
    std::string text(const char* unknown) const { return known ? std::to_string(value) : unknown; }
};

std::vector<Value> attributes(const cAppData& ad) {
    const PlayerData& p = ad.player;
    const bool k = DocAttributesRead(ad);
    return {{"strength", p.strength, k},
            {"energy", p.energy, k},
            {"dexterity", p.dexterity, k},
            {"vitality", p.vitality, k},
            {"stamina", p.stamina, k},
            {"life", p.life, k},
            {"mana", p.mana, k},
            {"skillPoints", p.skillPoints, k},
            {"statPoints", p.statPoints, k},
            {"gold", p.gold, k},
            {"goldStash", p.goldStash, k},
            {"experience", p.experience, k}};
}

const char* yesNo(bool b) { return b ? "yes" : "no"; }
const char* trueFalse(bool b) { return b ? "true" : "false"; }

}  // namespace

void PrintInfo(cAppData& ad, const std::string& file) {
    const PlayerData& p = ad.player;
    const unsigned char status = ad.data[DocLayout(ad).status];
    std::printf("file:        %s\n", escaped(file, false, false).c_str());
    std::printf("name:        %s\n", escaped(characterName(ad), false, true).c_str());
    std::printf("class:       %d (%s)\n", p.charClass, ClassEnglishName(p.charClass));
    std::printf("status:      0x%02X (hardcore: %s, dead: %s, expansion: %s)\n", status,
                yesNo(status & STATUS_HARDCORE), yesNo(status & STATUS_DIED), yesNo(ad.exp()));
    if (const char* edition = editionName(ad)) std::printf("edition:     %s\n", edition);
    std::printf("version:     %u\n", static_cast<unsigned>(DocFormatVersion(ad)));
    std::printf("game:        %s\n", DocLayout(ad).game);
    std::printf("writable:    %s\n", yesNo(DocVersionWritable(ad)));
    std::printf("checksumOk:  %s\n", yesNo(DocChecksumOk(ad)));
    std::printf("ladder:      %s\n", yesNo(DocLadder(ad)));
    std::printf("length:      %u bytes\n", ad.length);
    std::printf("level:       %d\n", p.level);
    const std::vector<Value> values = attributes(ad);
    // Experience follows the level; the rest keep their JSON order.
    for (std::size_t i = 0; i < values.size(); ++i) {
        const Value& v = values[(i + values.size() - 1) % values.size()];
        std::printf("%-13s%s\n", (std::string(v.name) + ":").c_str(), v.text("?").c_str());
    }
}

void PrintInfoJson(cAppData& ad, const std::string& file) {
    const PlayerData& p = ad.player;
    const unsigned char status = ad.data[DocLayout(ad).status];
    std::printf(
        "{\"file\": %s, \"name\": %s, \"version\": %u, \"length\": %u, \"status\": %u, "
        "\"hardcore\": %s, \"dead\": %s, \"expansion\": %s, ",
        jsonString(file, false).c_str(), jsonString(characterName(ad), true).c_str(),
        static_cast<unsigned>(DocFormatVersion(ad)), ad.length, status,
        trueFalse(status & STATUS_HARDCORE), trueFalse(status & STATUS_DIED), trueFalse(ad.exp()));
    if (const char* edition = editionName(ad)) std::printf("\"edition\": \"%s\", ", edition);
    std::printf("\"game\": %s, \"writable\": %s, \"checksumOk\": %s, \"ladder\": %s, ",
                jsonString(DocLayout(ad).game, false).c_str(), trueFalse(DocVersionWritable(ad)),
                trueFalse(DocChecksumOk(ad)), trueFalse(DocLadder(ad)));
    std::printf("\"charClass\": %d, \"className\": \"%s\", \"level\": %d", p.charClass,
                ClassEnglishName(p.charClass), p.level);
    for (const Value& v : attributes(ad))
        std::printf(", \"%s\": %s", v.name, v.text("null").c_str());
    std::printf("}\n");
}

void PrintCheck(const std::string& file, const std::vector<GameProblem>& problems, bool json,
                const std::string& note) {
    const char* verdict = problems.empty() ? "ok" : "changed";
    for (const GameProblem& p : problems) {
        if (p.refused) verdict = "refused";
    }
    if (!json) {
        std::string line = escaped(file, false, false) + ":";
        for (const GameProblem& p : problems)
            line +=
                (&p == &problems.front() ? " " : "; ") + escaped(GameProblemText(p), false, true);
        if (problems.empty()) line += " ok";
        if (!note.empty()) line += " (" + note + ")";
        std::printf("%s\n", line.c_str());
        return;
    }
    std::printf("{\"file\": %s, \"verdict\": \"%s\", \"problems\": [",
                jsonString(file, false).c_str(), verdict);
    for (const GameProblem& p : problems) {
        std::printf("%s{\"kind\": \"%s\", \"rule\": \"%s\", \"found\": %s, \"game\": %s}",
                    &p == &problems.front() ? "" : ", ", p.refused ? "refused" : "changed", p.rule,
                    jsonString(p.found, true).c_str(), jsonString(p.action, false).c_str());
    }
    std::printf("]%s}\n", note.empty() ? "" : (", \"note\": " + jsonString(note, false)).c_str());
}
