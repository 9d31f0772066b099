#include "core/AppData.h"

#include <ctime>

#include "core/Constants.h"

cAppData::cAppData()
    : hwnd(nullptr),
      popup(nullptr),
      stamp(),
      savedir(nullptr, 256),
      cmdfile(nullptr, 256),
      logfp(nullptr) {
    // The log is closed here, so the start line never reaches the file.
    log("App start-> ");
    time();
}

cAppData::~cAppData() {
    log("App exit->  ");
    time();
    if (logfp) {
        fclose(logfp);
        logfp = nullptr;
    }
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
