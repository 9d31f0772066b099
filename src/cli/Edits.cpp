#include "cli/Edits.h"

#include <algorithm>
#include <cstdio>

#include "cli/Args.h"
#include "core/Document.h"
#include "doc/Doc.h"
#include "doc/Limits.h"
#include "doc/Progress.h"

namespace {

// "D:NAME=VALUE" (or "NAME=VALUE" when noDifficulty) cut into its parts.
struct Parts {
    int difficulty = -1;
    std::string name, value;
};

bool cut(const std::string& arg, bool withDifficulty, Parts& p, std::string& error) {
    const std::size_t eq = arg.rfind('=');
    std::string head = arg.substr(0, eq);
    p.value = arg.substr(eq + 1);
    if (withDifficulty) {
        const std::size_t colon = head.find(':');
        p.difficulty = DifficultyIndex(head.substr(0, colon));
        if (colon == std::string::npos || p.difficulty < 0) {
            error = "'" + arg + "': expected DIFFICULTY:NAME=VALUE (normal, nightmare, hell)";
            return false;
        }
        head = head.substr(colon + 1);
    }
    p.name = head;
    return true;
}

bool onOff(const std::string& arg, const std::string& value, bool& on, std::string& error) {
    on = value == "on";
    if (on || value == "off") return true;
    error = "'" + arg + "': the value is on or off";
    return false;
}

bool skills(cDocument& doc, int charClass, const Options& opts, std::string& error) {
    for (const std::string& arg : opts.skills) {
        Parts p;
        cut(arg, false, p, error);
        const int i = SkillIndex(charClass, p.name);
        if (i < 0) {
            error = "'" + p.name + "' is no skill of the " + ClassEnglishName(charClass) +
                    "; 'velmor-cli info --progress' lists them";
            return false;
        }
        if (p.value.empty() || p.value.find_first_not_of("0123456789") != std::string::npos) {
            error = "'" + arg + "': a skill takes a whole number 0-20";
            return false;
        }
        std::string typed = p.value;
        typed.erase(0, std::min(typed.find_first_not_of('0'), typed.size() - 1));
        const int points = FitNumber(typed.c_str(), 0, 20);
        if (std::to_string(points) != typed)
            std::printf("%s: '%s' read as %d\n", SkillOf(charClass, i).name, p.value.c_str(),
                        points);
        doc.edit.skills[i] = static_cast<short>(points);
    }
    return true;
}

const char* const kStates[] = {"none", "waiting", "done"};

bool quests(cDocument& doc, const Options& opts, std::string& error) {
    for (const std::string& arg : opts.quests) {
        Parts p;
        if (!cut(arg, true, p, error)) return false;
        const int i = QuestIndex(p.name);
        if (i < 0 || !QuestOffered(doc, i)) {
            error = "'" + p.name + "' is no quest " +
                    (i < 0 ? std::string("of acts I-V") : "of a classic character");
            return false;
        }
        const QuestInfo& q = QuestAt(i);
        int state = -1;
        for (int s = 0; s < 3; ++s) state = p.value == kStates[s] ? s : state;
        if (state < 0 || (state == 1 && !q.waiting)) {
            error = "'" + arg + "': the state is none" + (q.waiting ? ", waiting" : "") +
                    " or done" + (q.waiting ? "" : " (no NPC hands this reward out)");
            return false;
        }
        const QuestState now = DocQuestState(doc, p.difficulty, q.word);
        const char* d = DifficultyName(p.difficulty);
        if (state == 2 && now == QuestState::Done)
            std::printf("%s: %s is done already: nothing is given again\n", d, q.name);
        else if (state == 2 && *q.reward)
            std::printf("%s: %s done: %s\n", d, q.name, q.reward);
        if (state == 0 && now == QuestState::Done && *q.reward)
            std::printf("%s: %s cleared: the %s it gave stays (it may be spent)\n", d, q.name,
                        q.reward + 1);
        doc.edit.quests[p.difficulty][q.word] = static_cast<QuestState>(state);
    }
    return true;
}

bool questFlags(cDocument& doc, const Options& opts, std::string& error) {
    for (const std::string& arg : opts.questFlags) {
        Parts p;
        bool on = false;
        if (!cut(arg, true, p, error) || !onOff(arg, p.value, on, error)) return false;
        const int e = QuestExtraIndex(p.name);
        if (e < 0 || !QuestExtraOffered(doc, static_cast<QuestExtra>(e))) {
            error = "'" + p.name + "': " +
                    (e < 0 ? std::string("the states are Cow King killed, Scroll of Resistance "
                                         "read, Akara reset available, Akara reset used")
                           : "the game that writes this file has no such state");
            return false;
        }
        doc.edit.extras[p.difficulty][e] = on ? Flag::On : Flag::Off;
        if (on && static_cast<QuestExtra>(e) == QuestExtra::AkaraResetAvailable &&
            DocQuestState(doc, p.difficulty, 1) != QuestState::Done &&
            doc.edit.quests[p.difficulty][1] != QuestState::Done)
            std::printf(
                "%s: Akara's reset: reported to be cleared by the game while Den of Evil "
                "is not done\n",
                DifficultyName(p.difficulty));
    }
    return true;
}

void noteHallsOfPain(const cDocument& doc, int d) {
    if ((doc.edit.waypointsOn[d] >> kHallsOfPain) & 1 && !DocWaypoint(doc, d, kHallsOfPain))
        std::printf("%s: Halls of Pain on: Anya's portal to Nihlathak's Temple closes\n",
                    DifficultyName(d));
}

bool waypoints(cDocument& doc, const Options& opts, std::string& error) {
    const int count = WaypointCount(doc);
    const std::uint64_t all = (std::uint64_t(1) << count) - 1;
    for (const std::string& arg : opts.waypointSets) {
        Parts p;
        const std::size_t eq = arg.rfind('=');
        p.difficulty = DifficultyIndex(arg.substr(0, eq));
        p.value = arg.substr(eq + 1);
        if (p.difficulty < 0 || (p.value != "all" && p.value != "none")) {
            error = "'" + arg + "': expected DIFFICULTY=all or DIFFICULTY=none";
            return false;
        }
        (p.value == "all" ? doc.edit.waypointsOn : doc.edit.waypointsOff)[p.difficulty] |= all;
        (p.value == "all" ? doc.edit.waypointsOff : doc.edit.waypointsOn)[p.difficulty] &= ~all;
    }
    for (const std::string& arg : opts.waypoints) {
        Parts p;
        bool on = false;
        if (!cut(arg, true, p, error) || !onOff(arg, p.value, on, error)) return false;
        const int i = WaypointIndex(p.name);
        if (i < 0 || i >= count) {
            error = "'" + p.name + "' is no waypoint" + (i < 0 ? "" : " of a classic character");
            return false;
        }
        if (i == 0 && !on) {
            error = "the Rogue Encampment's waypoint is always on";
            return false;
        }
        const std::uint64_t bit = std::uint64_t(1) << i;
        (on ? doc.edit.waypointsOn : doc.edit.waypointsOff)[p.difficulty] |= bit;
        (on ? doc.edit.waypointsOff : doc.edit.waypointsOn)[p.difficulty] &= ~bit;
    }
    for (int d = 0; d < kDifficultyCount; ++d) noteHallsOfPain(doc, d);
    return true;
}

bool progression(cDocument& doc, const Options& opts, std::string& error) {
    if (opts.progression.empty()) return true;
    const std::string& v = opts.progression;
    const bool number = v.size() <= 2 && v.find_first_not_of("0123456789") == std::string::npos;
    if (!number || !ProgressionAllowed(doc, std::stoi(v))) {
        error = "progression " + v + " is none the game writes for this character: " +
                (DocExpansion(doc) ? "0-3, 5-8, 10-13 or 15" : "0-12");
        return false;
    }
    doc.edit.progression = std::stoi(v);
    return true;
}

}  // namespace

bool FillEdits(cDocument& doc, int charClass, const Options& opts, std::string& error) {
    return skills(doc, charClass, opts, error) && quests(doc, opts, error) &&
           questFlags(doc, opts, error) && waypoints(doc, opts, error) &&
           progression(doc, opts, error);
}
