// Skills, quests, waypoints and progression one by one: what the file holds and how an
// edit record changes it. Each edit touches only its own byte, word or bits; a quest word
// keeps the bits of the named extra states, which have edits of their own.
#include <algorithm>

#include "core/Document.h"
#include "doc/Doc.h"
#include "doc/Layout.h"
#include "doc/Limits.h"
#include "doc/Progress.h"

namespace {

const unsigned int kQuestStart = OFS_WOO + 10;  // classic offset of Normal's quest block
const unsigned int kDone = 0x0001, kPending = 0x0002;
// What a quest set done or waiting holds, as the whole-game actions write it: done and
// reward collected, or reward pending; both "done in a previous game".
const unsigned int kDoneValue = 0x8001, kWaitingValue = 0x8006;
const int kClassicWaypoints = 30;

struct ExtraBit {
    int word;
    unsigned int mask;
};
const ExtraBit kExtraBits[kQuestExtraCount] = {
    {4, 1u << 10}, {37, 1u << 7}, {41, 1u << 1}, {41, 1u << 0}};

// The act-boss quests and the word that says the player travelled on from that act.
struct Travel {
    int quest, word;
    bool expansionOnly;
};
const Travel kTravels[] = {{6, 7, false}, {14, 15, false}, {22, 23, false}, {26, 28, true}};
const int kIntroWords[] = {0, 8, 16, 24};  // the guide of acts I-IV has spoken

struct Rewards {
    unsigned int skillPoints = 0, statPoints = 0, life = 0;
};

unsigned int questOffset(const cDocument& doc, int difficulty, int word) {
    return DocLayout(doc).sectionShift + kQuestStart + QUEST_BLOCK_SIZE * difficulty + 2 * word;
}

unsigned int waypointBlock(const cDocument& doc, int difficulty) {
    return DocLayout(doc).sectionShift + WAYPOINT_BLOCKS[difficulty];
}

bool holds(const cDocument& doc, unsigned int offset, unsigned int size) {
    return doc.data && offset + size <= doc.length;
}

unsigned int extraMask(int word) {
    unsigned int mask = 0;
    for (const ExtraBit& e : kExtraBits) mask |= e.word == word ? e.mask : 0;
    return mask;
}

void putWord(cDocument& doc, int difficulty, int word, unsigned int value) {
    const unsigned int at = questOffset(doc, difficulty, word);
    if (holds(doc, at, 2)) put16(doc.data + at, value);
}

// The 40 bits behind a waypoint block's head, as the game reads them: a block whose head is
// not 0x102 holds only the first waypoint.
std::uint64_t waypointBits(const cDocument& doc, int difficulty) {
    const unsigned int block = waypointBlock(doc, difficulty);
    if (!holds(doc, block, 7) || get16(doc.data + block) != WAYPOINT_HEAD) return 1;
    return get32(doc.data + block + 2) | std::uint64_t(doc.data[block + 6]) << 32;
}

void rewardOf(int word, Rewards& r) {
    switch (word) {
        case 1:  // Den of Evil
        case 9:  // Radament's Lair
            r.skillPoints += 1;
            break;
        case 25:  // The Fallen Angel
            r.skillPoints += 2;
            break;
        case 17:  // Lam Esen's Tome
            r.statPoints += 5;
            break;
        case 20:  // The Golden Bird
            r.life += 20;
            break;
    }
}

// The words the game sets along with a quest: the act's guide has spoken once one of its
// quests moved on; the travel word follows the act's boss.
void coupleWords(cDocument& doc, int difficulty, const QuestInfo& q, QuestState state) {
    if (state != QuestState::None && q.act <= 4) {
        const int intro = kIntroWords[q.act - 1];
        const unsigned int was = DocQuestWord(doc, difficulty, intro);
        if (!(was & kDone)) putWord(doc, difficulty, intro, was | kDone);
    }
    for (const Travel& t : kTravels) {
        if (t.quest != q.word || (t.expansionOnly && !DocExpansion(doc))) continue;
        const unsigned int was = DocQuestWord(doc, difficulty, t.word);
        if (state == QuestState::Done && !(was & kDone))
            putWord(doc, difficulty, t.word, was | kDone);
        if (state == QuestState::None && was) putWord(doc, difficulty, t.word, 0);
    }
}

// One quest's asked state; a quest that holds it already is left as it is.
void applyQuest(cDocument& doc, int difficulty, const QuestInfo& q, QuestState state, Rewards& r) {
    if (state == QuestState::Keep || DocQuestState(doc, difficulty, q.word) == state) return;
    const unsigned int was = DocQuestWord(doc, difficulty, q.word);
    const unsigned int kept = was & extraMask(q.word);
    if (state == QuestState::None && !(was & ~kept)) return;
    const unsigned int value = state == QuestState::Done      ? kDoneValue
                               : state == QuestState::Waiting ? kWaitingValue
                                                              : 0;
    putWord(doc, difficulty, q.word, (value & ~extraMask(q.word)) | kept);
    if (state == QuestState::Done) rewardOf(q.word, r);
    coupleWords(doc, difficulty, q, state);
}

void applyExtra(cDocument& doc, int difficulty, int extra, Flag flag) {
    if (flag == Flag::Keep) return;
    const ExtraBit& e = kExtraBits[extra];
    const unsigned int was = DocQuestWord(doc, difficulty, e.word);
    const unsigned int now = flag == Flag::On ? was | e.mask : was & ~e.mask;
    if (now != was) putWord(doc, difficulty, e.word, now);
}

void applyWaypoints(cDocument& doc, int difficulty, std::uint64_t on, std::uint64_t off) {
    const unsigned int block = waypointBlock(doc, difficulty);
    if (!(on | off) || !holds(doc, block, 7)) return;
    const std::uint64_t all = (std::uint64_t(1) << kWaypointCount) - 1;
    const std::uint64_t was = waypointBits(doc, difficulty);
    const std::uint64_t now = ((was | (on & all)) & ~(off & all)) | 1;
    if (now == was && get16(doc.data + block) == WAYPOINT_HEAD) return;
    put16(doc.data + block, WAYPOINT_HEAD);
    put32(doc.data + block + 2, static_cast<std::uint32_t>(now));
    doc.data[block + 6] = static_cast<unsigned char>(now >> 32);
}

void addRewards(const cDocument& doc, const Rewards& r, PlayerData& p) {
    const FieldLimits& max = FieldLimitsOf(doc);
    const auto add = [](unsigned int value, unsigned int more, int limit) {
        return std::min(value + more, std::max(value, static_cast<unsigned int>(limit)));
    };
    p.skillPoints = add(p.skillPoints, r.skillPoints, max.skillPoints);
    p.statPoints = add(p.statPoints, r.statPoints, max.statPoints);
    p.life = static_cast<unsigned short>(add(p.life, r.life, max.pool));
}

}  // namespace

bool QuestOffered(const cDocument& doc, int i) { return QuestAt(i).act < 5 || DocExpansion(doc); }

bool QuestExtraOffered(const cDocument& doc, QuestExtra extra) {
    switch (extra) {
        case QuestExtra::CowKing:
            return true;
        case QuestExtra::ResistanceScroll:
            return DocExpansion(doc);
        case QuestExtra::AkaraResetAvailable:
        case QuestExtra::AkaraResetUsed:
            break;
    }
    // Read from 1.13 on; version 96 is also written by 1.10-1.12, which leave the word alone.
    return DocFormatVersion(doc) >= VERSION_110;
}

int WaypointCount(const cDocument& doc) {
    return DocExpansion(doc) ? kWaypointCount : kClassicWaypoints;
}

int DocSkill(const cDocument& doc, int index) {
    const unsigned int at = DocSkillsStart(doc) + index;
    return doc.data && at < doc.length ? doc.data[at] : -1;
}

std::uint16_t DocQuestWord(const cDocument& doc, int difficulty, int word) {
    const unsigned int at = questOffset(doc, difficulty, word);
    return holds(doc, at, 2) ? static_cast<std::uint16_t>(get16(doc.data + at)) : 0;
}

QuestState DocQuestState(const cDocument& doc, int difficulty, int word) {
    const unsigned int value = DocQuestWord(doc, difficulty, word);
    if (value & kDone) return QuestState::Done;
    return value & kPending ? QuestState::Waiting : QuestState::None;
}

bool DocQuestExtra(const cDocument& doc, int difficulty, QuestExtra extra) {
    const ExtraBit& e = kExtraBits[static_cast<int>(extra)];
    return (DocQuestWord(doc, difficulty, e.word) & e.mask) != 0;
}

bool DocWaypoint(const cDocument& doc, int difficulty, int index) {
    return (waypointBits(doc, difficulty) >> index) & 1;
}

int DocProgression(const cDocument& doc) {
    return doc.data ? doc.data[DocLayout(doc).progression] : 0;
}

bool ProgressionAllowed(const cDocument& doc, int value) {
    // The expansion's Diablo raises nothing, Baal a whole difficulty: 4, 9 and 14 never occur.
    if (DocExpansion(doc)) return value >= 0 && value <= 15 && value % 5 != 4;
    return value >= 0 && value <= 12;
}

void DocApplyEdit(cDocument& doc, const CharEdit& edit, PlayerData& player) {
    DocApplyGameActions(doc, edit);
    for (int i = 0; i < kSkillCount; ++i) {
        const unsigned int at = DocSkillsStart(doc) + i;
        if (edit.skills[i] >= 0 && at < doc.length)
            doc.data[at] = static_cast<unsigned char>(edit.skills[i]);
    }
    Rewards rewards;
    for (int d = 0; d < kDifficultyCount; ++d) {
        for (int i = 0; i < QuestCount(); ++i)
            applyQuest(doc, d, QuestAt(i), edit.quests[d][QuestAt(i).word], rewards);
        for (int e = 0; e < kQuestExtraCount; ++e) applyExtra(doc, d, e, edit.extras[d][e]);
        applyWaypoints(doc, d, edit.waypointsOn[d], edit.waypointsOff[d]);
    }
    if (edit.progression >= 0 && ProgressionAllowed(doc, edit.progression))
        doc.data[DocLayout(doc).progression] = static_cast<unsigned char>(edit.progression);
    addRewards(doc, rewards, player);
}
