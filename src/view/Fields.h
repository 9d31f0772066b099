// The twelve edit fields and the class selector as plain data: the rules that turn the texts
// typed into the edited record and the record into the texts shown. The window binds them to
// its controls; velmor-cli types its arguments into them.
#pragma once

#include <array>
#include <string>
#include <vector>

class cDocument;
struct PlayerData;

struct FieldInfo {
    int id;
    const char* name;  // the PlayerData member it shows
};
const int kFieldCount = 12;
// In the order in which FieldsRead reads them.
extern const FieldInfo kFields[kFieldCount];
// The index in kFields of a field's control id.
int FieldIndex(int id);

// One text per field, in the order of kFields.
using FieldTexts = std::array<std::string, kFieldCount>;

// The texts the fields show for a record.
FieldTexts FieldsShown(const PlayerData& p);
// The class names the selector lists for the open file's edition, in class code order.
std::vector<const char*> FieldsClasses(const cDocument& doc);
// Reads the selected class and the typed texts into doc.player, each within its limits, and
// returns the texts of the numbers read. A class the selector does not list (-1: none
// selected) keeps the stored class, as a damaged file may hold one.
FieldTexts FieldsRead(cDocument& doc, int classSel, const FieldTexts& typed);
// Whether player differs from the file's values as the limits read them back: stored values
// that the limits change are not an edit.
bool FieldsEdited(const cDocument& doc);
// Sets the gold and stash texts as maximum gold is switched on (the maxima of the level being
// edited) or off (the values as loaded).
void FieldsShowGold(const cDocument& doc, bool maxGold, FieldTexts& texts);
