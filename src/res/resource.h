// Identifiers of the main window's resources, shared by the resource script and the code.
#pragma once

// Edit fields and the class selector of the main dialog; each label is its field's ID - 1.
#define IDC_LEVEL 1007
#define IDC_STRENGTH 1009
#define IDC_ENERGY 1011
#define IDC_DEXTERITY 1013
#define IDC_VITALITY 1015
#define IDC_CLASS 1016
#define IDC_STAMINA 1018
#define IDC_LIFE 1020
#define IDC_MANA 1022
#define IDC_SKILLPOINTS 1024
#define IDC_STATPOINTS 1026
#define IDC_GOLD 1028
#define IDC_GOLDSTASH 1030

// Pending-operation check items of the menu.
#define IDM_RESTART 40003
#define IDM_COMPLETE 40004
#define IDM_SKILLS_FULL 40010
#define IDM_SKILLS_NONE 40011
#define IDM_MAXGOLD 40022

// New character of class code 0 (40033) to 6 (40039).
#define IDM_NEW_AMAZONE 40033
#define IDM_NEW_ASSASSINE 40039
