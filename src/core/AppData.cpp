#include "core/AppData.h"

#include <cstring>
#include <ctime>

#include "core/Constants.h"
#include "doc/Doc.h"
#include "view/Ui.h"

void PlayerData::zero() {
    charClass = 0;
    level = 0;
    strength = energy = dexterity = vitality = 0;
    stamina = life = mana = 0;
    skillPoints = statPoints = gold = goldStash = experience = 0;
}

bool PlayerData::operator!=(const PlayerData& o) const {
    return charClass != o.charClass || level != o.level || strength != o.strength ||
           energy != o.energy || dexterity != o.dexterity || vitality != o.vitality ||
           stamina != o.stamina || life != o.life || mana != o.mana ||
           skillPoints != o.skillPoints || statPoints != o.statPoints || gold != o.gold ||
           goldStash != o.goldStash || experience != o.experience;
}

cAppData::cAppData()
    : hwnd(nullptr),
      popup(nullptr),
      fp(nullptr),
      data(nullptr),
      length(0),
      stamp(),
      savedir(nullptr, 256),
      filename(nullptr, 256),
      cmdfile(nullptr, 256),
      logfp(nullptr),
      capacity(0) {
    // The log is closed here, so the start line never reaches the file.
    log("App start-> ");
    time();
    popup = UiCreatePopup();
}

cAppData::~cAppData() {
    log("App exit->  ");
    time();
    delete[] data;
    data = nullptr;
    if (fp) {
        fclose(fp);
        fp = nullptr;
    }
    if (logfp) {
        fclose(logfp);
        logfp = nullptr;
    }
    UiDestroyPopup(popup);
}

void cAppData::reset() {
    delete[] data;
    data = nullptr;
    capacity = 0;
    if (fp) {
        fclose(fp);
        fp = nullptr;
    }
    player.zero();
    loaded.zero();
    length = 0;
    filename = "";
}

bool cAppData::exp() const {
    const int edition = DocEdition(*this);
    return edition == EDITION_EXPANSION || edition == EDITION_WARLOCK;
}

void cAppData::log(const char* text) {
    if (!logfp) return;
    fprintf(logfp, "%s", text);
    fflush(logfp);
}

void cAppData::log() { log(stamp); }

void cAppData::time() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    const std::tm* t = std::localtime(&now);
    if (t) local = *t;
    std::strftime(stamp, sizeof stamp, "%m/%d/%y", &local);
    log();
    log(" ");
    std::strftime(stamp, sizeof stamp, "%H:%M:%S", &local);
    log();
    log("\n");
}

void cAppData::clearLogFile() {
    if (logfp) {
        fclose(logfp);
        logfp = nullptr;
    }
    if (FILE* f = fopen(logfile, "w")) fclose(f);
    logfp = fopen(logfile, "a");
}
