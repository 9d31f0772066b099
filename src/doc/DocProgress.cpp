// The whole-game actions of an edit record: complete or restart the game, fill or clear
// the skills; and the revival of a dead hardcore character at every save. Offsets here are the
// classic ones; the newer layouts keep the same sections sectionShift bytes further on and their
// header fields where their FileLayout says.
#include "core/Document.h"
#include "doc/Doc.h"
#include "doc/Layout.h"
#include "doc/Progress.h"

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

// The start of the classic offset 0 in the open file's sections.
unsigned char* sections(cDocument& ad) { return ad.data + DocLayout(ad).sectionShift; }

void writeQuestWords(cDocument& ad, unsigned int base, unsigned int value) {
    for (unsigned int w : kQuestWords) put16(sections(ad) + base + w, value);
    for (unsigned int w : kAct5Words) put16(sections(ad) + base + w, value);
}

// The game wipes the waypoints of a block whose head is not 0x102, so the head is written
// with them.
void writeWaypoints(cDocument& ad, std::uint32_t low, unsigned char high) {
    for (unsigned int block : WAYPOINT_BLOCKS) {
        put16(sections(ad) + block, WAYPOINT_HEAD);
        put32(sections(ad) + block + 2, low);
        sections(ad)[block + 6] = high;
    }
}

void updateSkills(cDocument& ad, SkillsAction action) {
    if (action == SkillsAction::Keep) return;
    const unsigned char level = action == SkillsAction::Full ? 20 : 0;
    // A damaged short file may end inside the skills; bytes past its end are not the file's.
    const unsigned int first = DocSkillsStart(ad);
    for (unsigned int i = first; i < first + SKILL_COUNT && i < ad.length; ++i) ad.data[i] = level;
}

void EnableActs(cDocument& ad, const short& value, const unsigned int& base) {
    for (unsigned int w : kActWords)
        put16(sections(ad) + base + w, static_cast<unsigned short>(value));
}

void SetAllWayPoints(cDocument& ad) {
    // A character further on than this keeps its progression.
    unsigned char& progression = ad.data[DocLayout(ad).progression];
    if (progression < 13) progression = 13;
    writeWaypoints(ad, 0xFFFFFFFFu, 0x7F);
    for (unsigned int base : QUEST_BASES) EnableActs(ad, 1, base);
}

void ClearAllWayPoints(cDocument& ad) {
    // One byte in the classic layout; one per difficulty (Normal, act I marked) in the newer.
    const FileLayout& l = DocLayout(ad);
    for (unsigned int i = 0; i < l.difficultyLen; ++i) ad.data[l.difficulty + i] = 0;
    if (l.difficultyLen > 1) ad.data[l.difficulty] = 0x80;
    ad.data[l.progression] = 0;
    writeWaypoints(ad, 1, 0);
    for (unsigned int base : QUEST_BASES) EnableActs(ad, 0, base);
}

void SetQuests(cDocument& ad, const unsigned int& base) {
    writeQuestWords(ad, base, 0x8001);
    sections(ad)[base + kAct4Extra] = 1;
}

void SetQuests(cDocument& ad) {
    for (unsigned int base : QUEST_BASES) SetQuests(ad, base);
}

void ClearQuests(cDocument& ad, const unsigned int& base) {
    writeQuestWords(ad, base, 0);
    sections(ad)[base + kAct4Extra] = 0;
    put16(sections(ad) + base + kAct5LastWord, 0);
}

void ClearQuests(cDocument& ad) {
    for (unsigned int base : QUEST_BASES) ClearQuests(ad, base);
}

void SetIntroFlags(cDocument& ad, const unsigned int& base) {
    for (unsigned int b : kIntroBytes) sections(ad)[base + b] = 0;
}

void SetIntroFlags(cDocument& ad) {
    for (unsigned int i = 0; i < INTRO_DATA_LEN; ++i) sections(ad)[OFS_INTRO_DATA + i] = 0;
    for (unsigned int base : QUEST_BASES) SetIntroFlags(ad, base);
}

void GetReward(cDocument& ad, const int& offset) {
    for (unsigned int base : QUEST_BASES) put16(sections(ad) + base + offset, 0x8006);
}

void GetReward(cDocument& ad) {
    for (int offset : kRewardWords) GetReward(ad, offset);
}

void updateGame(cDocument& ad, GameAction action) {
    if (action == GameAction::Complete) {
        SetAllWayPoints(ad);
        SetQuests(ad);
        GetReward(ad);
    } else if (action == GameAction::Restart) {
        ClearAllWayPoints(ad);
        ClearQuests(ad);
        SetIntroFlags(ad);
    }
}

}  // namespace

void Awake(cDocument& ad) {
    const unsigned char deadHardcore = STATUS_HARDCORE | STATUS_DIED;
    unsigned char& status = ad.data[DocLayout(ad).status];
    if ((status & deadHardcore) == deadHardcore) status &= ~deadHardcore;
}

unsigned int DocSkillsStart(const cDocument& ad) {
    if (DocLayout(ad).codec == Codec::Classic) return CalcOffset(ad, NOM_SKILLS);
    const unsigned int end = DocAttributesEnd(ad);
    return end ? end + 2 : ad.length;
}

void DocApplyGameActions(cDocument& doc, const CharEdit& edit) {
    updateSkills(doc, edit.allSkills);
    updateGame(doc, edit.game);
}
