// The few window services that the portable layers use: edit-field texts and the class
// selector. The editor links
// the versions that work on the real dialog; velmor-cli and the native tests link a
// console version whose controls are plain memory.
#pragma once

class cAppData;

void UiGetText(cAppData& ad, const int& id, char* buf, const int& cap);
void UiSetText(cAppData& ad, const int& id, const char* text);

void UiComboReset(cAppData& ad);
void UiComboAdd(cAppData& ad, const char* text);
// Selecting an index the selector does not hold leaves it without a selection.
void UiComboSelect(cAppData& ad, const int& index);
// Index of the selected entry, or -1 when nothing is selected.
int UiComboSel(cAppData& ad);
int UiComboCount(cAppData& ad);
