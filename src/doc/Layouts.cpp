// Where each format version keeps what the editor reads and writes.
#include "core/Constants.h"
#include "doc/Layout.h"

static_assert(kClassCount == CLASS_COUNT, "a class name for each class code");

namespace {

const unsigned int kClassicSize = MIN_FILE_SIZE;
const unsigned int kNewShift = 205;  // the newer header is 205 bytes longer
// Version 105: the header rearranged, with the edition byte and a 48-byte name field; the
// sections 273 bytes behind their classic places.
const unsigned int kShift105 = 273;
const unsigned int kHeader105 = OFS_WOO + kShift105;

// version, game, writable,
// name, nameLen, status, progression, class, level, edition, difficulty, difficultyLen,
// sectionShift, sized, codec, minSize
const FileLayout kLayouts[] = {
    {87, "1.07", true, OFS_NAME, NAME_CLEAR_LEN, OFS_STATUS, OFS_PROGRESSION, OFS_CLASS, OFS_LEVEL,
     0, OFS_BYTE88, 1, 0, false, Codec::Classic, kClassicSize},
    {89, "1.08", true, OFS_NAME, NAME_CLEAR_LEN, OFS_STATUS, OFS_PROGRESSION, OFS_CLASS, OFS_LEVEL,
     0, OFS_BYTE88, 1, 0, false, Codec::Classic, kClassicSize},
    {92, "1.09", true, 20, NAME_FIELD_LEN, 36, 37, 40, 43, 0, 168, 3, kNewShift, true, Codec::Slots,
     NEW_HEADER_SIZE},
    {96, "1.10-1.14d", true, 20, NAME_FIELD_LEN, 36, 37, 40, 43, 0, 168, 3, kNewShift, true,
     Codec::Bits, NEW_HEADER_SIZE},
    {97, "remaster up to 2.3", true, 20, NAME_FIELD_LEN, 36, 37, 40, 43, 0, 168, 3, kNewShift, true,
     Codec::Bits, NEW_HEADER_SIZE},
    {98, "remaster 2.4", true, 267, NAME_FIELD_LEN, 36, 37, 40, 43, 0, 168, 3, kNewShift, true,
     Codec::Bits, NEW_HEADER_SIZE},
    {99, "remaster 2.5 or later", true, 267, NAME_FIELD_LEN, 36, 37, 40, 43, 0, 168, 3, kNewShift,
     true, Codec::Bits, NEW_HEADER_SIZE},
    {105, "remaster 3.0 or later", true, 299, 48, 20, 21, 24, 27, 248, 152, 3, kShift105, true,
     Codec::Bits, kHeader105},
    // A known game whose layout is not this editor's: shown with the classic offsets, never
    // written.
    {71, "1.00-1.06", false, OFS_NAME, NAME_CLEAR_LEN, OFS_STATUS, OFS_PROGRESSION, OFS_CLASS,
     OFS_LEVEL, 0, OFS_BYTE88, 1, 0, false, Codec::Classic, kClassicSize},
};

const FileLayout kUnknown = {0,
                             "unknown game",
                             false,
                             OFS_NAME,
                             NAME_CLEAR_LEN,
                             OFS_STATUS,
                             OFS_PROGRESSION,
                             OFS_CLASS,
                             OFS_LEVEL,
                             0,
                             OFS_BYTE88,
                             1,
                             0,
                             false,
                             Codec::Classic,
                             kClassicSize};

}  // namespace

const FileLayout& LayoutOf(std::uint32_t version) {
    for (const FileLayout& l : kLayouts) {
        if (l.version == version) return l;
    }
    return kUnknown;
}

const char* WritableVersionsText() { return "87, 89, 92, 96, 97, 98, 99 and 105"; }
