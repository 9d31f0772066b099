// The main window's view of the open character and of the working folder.
#pragma once

class cAppData;
struct HMENU__;

// Open character, menus, title, status line and portrait.
bool ViewOpenFile(cAppData& ad, const char* name);
void ViewCloseFile(cAppData& ad);
void ClearView(cAppData& ad, const char* text);
void ViewEnableEdits(cAppData& ad, const bool& enable);
void ViewEnableMenuItems(cAppData& ad, const int& flag);
void ViewSetFileInfo(cAppData& ad, const char* name);
void ViewSetPlayerIcon(cAppData& ad);
// The Edit menu's marks show the pending edit record; the reset empties the record.
void ViewShowMarks(cAppData& ad);
void ViewResetMenu(cAppData& ad);
// The edit fields and the class selector. GetData reads them into player by the field
// rules and shows the numbers read; SetData shows player and selects the stored class.
void ViewGetData(cAppData& ad);
void ViewSetData(cAppData& ad);
void ViewOnMaxGold(cAppData& ad, const bool& on);
// The selector lists the classes of the file's edition, or only the empty mark.
void ViewInitCombo(cAppData& ad);
void ViewResetCombo(cAppData& ad);
// The file list's context menu, made when the window opens and destroyed when it closes.
HMENU__* UiCreatePopup();
void UiDestroyPopup(HMENU__* menu);
// A save file of a format this editor writes; backups and other formats open read-only.
bool ViewFileWritable(cAppData& ad);
// Takes the fields into player when the file is writable; a read-only file's fields keep
// showing exactly the stored values, which the field rules would change.
void ViewTakeFields(cAppData& ad);

// The file list of the working folder.
void ViewAddFilesToList(cAppData& ad);
char* ViewListGetSelFile(cAppData& ad, char* out);
bool ViewListSetSelFile(cAppData& ad, const char* name);
bool ViewListDelCurSel(cAppData& ad);
bool ViewListChangeDir(cAppData& ad);
void ViewOpenFileFromList(cAppData& ad);
void ViewReload(cAppData& ad, const bool& open);
bool Browse(cAppData& ad, const char* title);
// Shows the working folder in the status line.
void ViewShowCurDir(cAppData& ad);
