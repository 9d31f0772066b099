// info's skills, quests, waypoints and progression, in text and JSON.
#include <cstdio>
#include <string>

#include "cli/Report.h"
#include "core/AppData.h"
#include "doc/Doc.h"
#include "doc/Progress.h"

namespace {

const char* const kStateNames[] = {"none", "waiting", "done"};
const char* const kActNames[] = {"I", "II", "III", "IV", "V"};

const char* stateName(const cDocument& doc, int d, int word) {
    return kStateNames[static_cast<int>(DocQuestState(doc, d, word))];
}

std::string lower(const char* s) {
    std::string t = s;
    for (char& c : t) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return t;
}

}  // namespace

void PrintProgressJson(cAppData& ad) {
    if (!DocVersionWritable(ad)) {
        std::printf(
            ", \"skills\": null, \"quests\": null, \"waypoints\": null, "
            "\"progression\": null");
        return;
    }
    std::printf(", \"skills\": [");
    for (int i = 0; i < kSkillCount; ++i) {
        const SkillInfo s = SkillOf(ad.player.charClass, i);
        const int points = DocSkill(ad, i);
        std::printf("%s{\"id\": %d, \"name\": \"%s\", \"points\": %s}", i ? ", " : "", s.id, s.name,
                    points < 0 ? "null" : std::to_string(points).c_str());
    }
    std::printf("], \"quests\": {");
    for (int d = 0; d < kDifficultyCount; ++d) {
        std::printf("%s\"%s\": [", d ? ", " : "", lower(DifficultyName(d)).c_str());
        for (int i = 0, n = 0; i < QuestCount(); ++i) {
            if (!QuestOffered(ad, i)) continue;
            const QuestInfo& q = QuestAt(i);
            std::printf("%s{\"act\": %d, \"name\": \"%s\", \"state\": \"%s\", \"value\": %u}",
                        n++ ? ", " : "", q.act, q.name, stateName(ad, d, q.word),
                        DocQuestWord(ad, d, q.word));
        }
        std::printf("]");
    }
    std::printf("}, \"waypoints\": {");
    for (int d = 0; d < kDifficultyCount; ++d) {
        std::printf("%s\"%s\": [", d ? ", " : "", lower(DifficultyName(d)).c_str());
        for (int i = 0; i < WaypointCount(ad); ++i)
            std::printf("%s{\"name\": \"%s\", \"on\": %s}", i ? ", " : "", WaypointName(i),
                        DocWaypoint(ad, d, i) ? "true" : "false");
        std::printf("]");
    }
    std::printf("}, \"progression\": %d", DocProgression(ad));
}

void PrintProgress(cAppData& ad) {
    if (!DocVersionWritable(ad)) return;
    const int charClass = ad.player.charClass;
    for (int tree = 0; tree < 3; ++tree) {
        std::printf("%s:", SkillTreeName(charClass, tree));
        for (int i = 0; i < kSkillCount; ++i) {
            if (SkillOf(charClass, i).tree == tree)
                std::printf(" %s %d;", SkillOf(charClass, i).name, DocSkill(ad, i));
        }
        std::printf("\n");
    }
    for (int d = 0; d < kDifficultyCount; ++d) {
        int act = 0;
        for (int i = 0; i < QuestCount(); ++i) {
            if (!QuestOffered(ad, i)) continue;
            const QuestInfo& q = QuestAt(i);
            if (q.act != act)
                std::printf("%s%s act %s:", act ? "\n" : "", DifficultyName(d),
                            kActNames[q.act - 1]);
            act = q.act;
            std::printf(" %s %s (0x%04x);", q.name, stateName(ad, d, q.word),
                        DocQuestWord(ad, d, q.word));
        }
        std::printf("\n%s states:", DifficultyName(d));
        for (int e = 0; e < kQuestExtraCount; ++e) {
            if (QuestExtraOffered(ad, static_cast<QuestExtra>(e)))
                std::printf(" %s %s;", QuestExtraName(static_cast<QuestExtra>(e)),
                            DocQuestExtra(ad, d, static_cast<QuestExtra>(e)) ? "yes" : "no");
        }
        std::printf("\n%s waypoints on:", DifficultyName(d));
        for (int i = 0; i < WaypointCount(ad); ++i) {
            if (DocWaypoint(ad, d, i)) std::printf(" %s;", WaypointName(i));
        }
        std::printf("\n");
    }
    std::printf("progression: %d\n", DocProgression(ad));
}
