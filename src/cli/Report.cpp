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

// Whether the file's layout is one Velmor knows: a version it does not know is read at the
// classic offsets, and whatever they hold would be invented values.
bool layoutKnown(const cAppData& ad) { return DocLayout(ad).writable; }

std::vector<Value> attributes(const cAppData& ad) {
    const PlayerData& p = ad.player;
    const bool k = layoutKnown(ad) && DocAttributesRead(ad);
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
    const bool k = layoutKnown(ad);
    const unsigned char status = ad.data[DocLayout(ad).status];
    char text[96];
    std::printf("file:        %s\n", escaped(file, false, false).c_str());
    std::printf("name:        %s\n", k ? escaped(characterName(ad), false, true).c_str() : "?");
    std::snprintf(text, sizeof text, "%d (%s)", p.charClass, ClassEnglishName(p.charClass));
    std::printf("class:       %s\n", k ? text : "?");
    std::snprintf(text, sizeof text, "0x%02X (hardcore: %s, dead: %s, expansion: %s)", status,
                  yesNo(status & STATUS_HARDCORE), yesNo(status & STATUS_DIED), yesNo(DocExpansion(ad)));
    std::printf("status:      %s\n", k ? text : "?");
    if (const char* edition = editionName(ad)) std::printf("edition:     %s\n", edition);
    std::printf("version:     %u\n", static_cast<unsigned>(DocFormatVersion(ad)));
    std::printf("game:        %s\n", DocLayout(ad).game);
    std::printf("writable:    %s\n", yesNo(DocVersionWritable(ad)));
    std::printf("checksumOk:  %s\n", k ? yesNo(DocChecksumOk(ad)) : "?");
    std::printf("ladder:      %s\n", k ? yesNo(DocLadder(ad)) : "?");
    std::printf("length:      %u bytes\n", ad.length);
    std::printf("level:       %s\n", k ? std::to_string(p.level).c_str() : "?");
    const std::vector<Value> values = attributes(ad);
    // Experience follows the level; the rest keep their JSON order.
    for (std::size_t i = 0; i < values.size(); ++i) {
        const Value& v = values[(i + values.size() - 1) % values.size()];
        std::printf("%-13s%s\n", (std::string(v.name) + ":").c_str(), v.text("?").c_str());
    }
}

void PrintInfoJson(cAppData& ad, const std::string& file) {
    const PlayerData& p = ad.player;
    const bool k = layoutKnown(ad);
    const unsigned char status = ad.data[DocLayout(ad).status];
    const auto bit = [k](bool b) { return k ? trueFalse(b) : "null"; };
    std::printf(
        "{\"file\": %s, \"name\": %s, \"version\": %u, \"length\": %u, \"status\": %s, "
        "\"hardcore\": %s, \"dead\": %s, \"expansion\": %s, ",
        jsonString(file, false).c_str(), k ? jsonString(characterName(ad), true).c_str() : "null",
        static_cast<unsigned>(DocFormatVersion(ad)), ad.length,
        k ? std::to_string(status).c_str() : "null", bit(status & STATUS_HARDCORE),
        bit(status & STATUS_DIED), bit(DocExpansion(ad)));
    if (const char* edition = editionName(ad)) std::printf("\"edition\": \"%s\", ", edition);
    std::printf("\"game\": %s, \"writable\": %s, \"checksumOk\": %s, \"ladder\": %s, ",
                jsonString(DocLayout(ad).game, false).c_str(), trueFalse(DocVersionWritable(ad)),
                bit(DocChecksumOk(ad)), bit(DocLadder(ad)));
    const std::string className = "\"" + std::string(ClassEnglishName(p.charClass)) + "\"";
    std::printf("\"charClass\": %s, \"className\": %s, \"level\": %s",
                k ? std::to_string(p.charClass).c_str() : "null", k ? className.c_str() : "null",
                k ? std::to_string(p.level).c_str() : "null");
    for (const Value& v : attributes(ad))
        std::printf(", \"%s\": %s", v.name, v.text("null").c_str());
    PrintProgressJson(ad);
    std::printf("}\n");
}

void PrintCheck(const std::string& file, const std::vector<GameProblem>& problems, bool json,
                const std::string& note) {
    const char* verdict = problems.empty() ? "ok" : GameKindName(WorstKind(problems));
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
                    &p == &problems.front() ? "" : ", ", GameKindName(p.kind), p.rule,
                    jsonString(p.found, true).c_str(), jsonString(p.action, false).c_str());
    }
    std::printf("]%s}\n", note.empty() ? "" : (", \"note\": " + jsonString(note, false)).c_str());
}
