// Whole-character actions applied at save time from the menu's pending-operation marks:
// complete or restart the game, fill or clear the skills, and revive a dead hardcore
// character.
#include "app/AppData.h"
#include "doc/Doc.h"
#include "doc/Layout.h"
#include "res/resource.h"
#include "view/Ui.h"

namespace {

// Quest words of one block, as offsets in the first block.
const unsigned int kQuestWords[] = {142, 144, 146, 148, 150, 152, 158, 160, 162, 164, 166,
                                    168, 174, 176, 178, 180, 182, 184, 190, 192, 194};
const unsigned int kAct5Words[] = {210, 212, 214, 216, 218};
const unsigned int kAct5LastWord = 220;  // cleared by a restart, never set
const unsigned int kAct4Extra = 196;     // low byte written with the act 4 quests
const unsigned int kIntroBytes[] = {140, 156, 172, 188, 204};
const unsigned int kActWords[] = {154, 170, 186, 188};
const int kRewardWords[] = {142, 144, 146, 148, 190, 210, 212, 214, 216};

void writeQuestWords(cAppData& ad, unsigned int base, unsigned int value) {
    for (unsigned int w : kQuestWords) put16(ad.data + base + w, value);
    for (unsigned int w : kAct5Words) put16(ad.data + base + w, value);
}

void writeWaypoints(cAppData& ad, std::uint32_t low, unsigned char high) {
    for (unsigned int block : WAYPOINT_BLOCKS) {
        put32(ad.data + block + 2, low);
        ad.data[block + 6] = high;
    }
}

}  // namespace

void Awake(cAppData& ad) {
    const unsigned char deadHardcore = STATUS_HARDCORE | STATUS_DIED;
    if ((ad.data[OFS_STATUS] & deadHardcore) == deadHardcore) ad.data[OFS_STATUS] &= ~deadHardcore;
}

void UpdateSkills(cAppData& ad) {
    unsigned char level;
    if (UiMenuChecked(ad, IDM_SKILLS_FULL)) {
        level = 20;
    } else if (UiMenuChecked(ad, IDM_SKILLS_NONE)) {
        level = 0;
    } else {
        return;
    }
    // A damaged short file may end inside the skills; bytes past its end are not the file's.
    const unsigned int first = CalcOffset(ad, NOM_SKILLS);
    for (unsigned int i = first; i < first + SKILL_COUNT && i < ad.length; ++i) ad.data[i] = level;
}

void UpdateGamestatus(cAppData& ad) {
    if (UiMenuChecked(ad, IDM_COMPLETE)) {
        SetAllWayPoints(ad);
        SetQuests(ad);
        GetReward(ad);
    } else if (UiMenuChecked(ad, IDM_RESTART)) {
        ClearAllWayPoints(ad);
        ClearQuests(ad);
        SetIntroFlags(ad);
    }
}

void SetAllWayPoints(cAppData& ad) {
    ad.data[OFS_PROGRESSION] = 13;
    writeWaypoints(ad, 0xFFFFFFFFu, 0x7F);
    for (unsigned int base : QUEST_BASES) EnableActs(ad, 1, base);
}

void ClearAllWayPoints(cAppData& ad) {
    ad.data[OFS_BYTE88] = 0;
    ad.data[OFS_PROGRESSION] = 0;
    writeWaypoints(ad, 1, 0);
    for (unsigned int base : QUEST_BASES) EnableActs(ad, 0, base);
}

void EnableActs(cAppData& ad, const short& value, const unsigned int& base) {
    for (unsigned int w : kActWords) put16(ad.data + base + w, static_cast<unsigned short>(value));
}

void SetQuests(cAppData& ad, const unsigned int& base) {
    writeQuestWords(ad, base, 0x8001);
    ad.data[base + kAct4Extra] = 1;
}

void SetQuests(cAppData& ad) {
    for (unsigned int base : QUEST_BASES) SetQuests(ad, base);
}

void ClearQuests(cAppData& ad, const unsigned int& base) {
    writeQuestWords(ad, base, 0);
    ad.data[base + kAct4Extra] = 0;
    put16(ad.data + base + kAct5LastWord, 0);
}

void ClearQuests(cAppData& ad) {
    for (unsigned int base : QUEST_BASES) ClearQuests(ad, base);
}

void SetIntroFlags(cAppData& ad, const unsigned int& base) {
    for (unsigned int b : kIntroBytes) ad.data[base + b] = 0;
}

void SetIntroFlags(cAppData& ad) {
    for (unsigned int i = 0; i < INTRO_DATA_LEN; ++i) ad.data[OFS_INTRO_DATA + i] = 0;
    for (unsigned int base : QUEST_BASES) SetIntroFlags(ad, base);
}

void GetReward(cAppData& ad, const int& offset) {
    for (unsigned int base : QUEST_BASES) put16(ad.data + base + offset, 0x8006);
}

void GetReward(cAppData& ad) {
    for (int offset : kRewardWords) GetReward(ad, offset);
}
