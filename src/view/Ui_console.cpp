#include <cstring>
#include <map>

#include "view/Ui.h"
#include "view/UiConsole.h"

namespace {

struct ConsoleWindow {
    std::map<int, std::string> texts;
    std::vector<std::string> combo;
    int comboSel = -1;
};

ConsoleWindow& window() {
    static ConsoleWindow w;
    return w;
}

}  // namespace

void ConsoleResetWindow() { window() = ConsoleWindow(); }

std::string ConsoleGetText(int id) { return window().texts[id]; }

std::vector<std::string> ConsoleComboEntries() { return window().combo; }

void UiGetText(cAppData&, const int& id, char* buf, const int& cap) {
    if (cap <= 0) return;
    const std::string& text = window().texts[id];
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(cap - 1));
    std::memcpy(buf, text.data(), n);
    buf[n] = '\0';
}

void UiSetText(cAppData&, const int& id, const char* text) { window().texts[id] = text; }

void UiComboReset(cAppData&) {
    window().combo.clear();
    window().comboSel = -1;
}

void UiComboAdd(cAppData&, const char* text) { window().combo.push_back(text); }

void UiComboSelect(cAppData&, const int& index) {
    const bool listed = index >= 0 && index < static_cast<int>(window().combo.size());
    window().comboSel = listed ? index : -1;
}

int UiComboSel(cAppData&) { return window().comboSel; }

int UiComboCount(cAppData&) { return static_cast<int>(window().combo.size()); }
