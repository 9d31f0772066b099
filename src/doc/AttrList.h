// The attribute section of the newer layouts as a list of (id, value) entries, and its two
// encodings:
// - slots (1.09): a 16-bit presence mask (bit k: attribute k present), then one 32-bit
//   slot per present attribute in ascending order;
// - bits (1.10 and later): read least significant bit first, each entry a 9-bit id and a
//   value of the id's width, ended by id 0x1FF and zero bits up to the next byte.
// Life, mana and stamina are 24.8 fixed point in slots and 13.8 in bits.
#pragma once

#include <cstdint>

const unsigned int ATTR_COUNT = 16;
const unsigned int ATTR_END = 0x1FF;
// The longest section: the mask and sixteen slots.
const unsigned int ATTR_MAX_BYTES = 66;

enum AttrId : unsigned int {
    ATTR_STRENGTH,
    ATTR_ENERGY,
    ATTR_DEXTERITY,
    ATTR_VITALITY,
    ATTR_STATPOINTS,
    ATTR_SKILLPOINTS,
    ATTR_LIFE,
    ATTR_MAXLIFE,
    ATTR_MANA,
    ATTR_MAXMANA,
    ATTR_STAMINA,
    ATTR_MAXSTAMINA,
    ATTR_LEVEL,
    ATTR_EXPERIENCE,
    ATTR_GOLD,
    ATTR_GOLDSTASH,
};

// The entries in file order; a value of 0 may be present (the game omits zeros, other
// writers do not).
struct AttrList {
    unsigned int count;
    unsigned int id[ATTR_COUNT];
    std::uint32_t value[ATTR_COUNT];
};

// Why a section is not one this editor can rewrite: the first fault found.
enum class AttrFault {
    None,
    UnknownId,   // bits: an id without a width
    NoEnd,       // bits: no end id before "if" or the end of the bytes
    OutOfOrder,  // bits: an id below the one before it
    Repeated,    // bits: an id equal to the one before it
    Cut,         // slots: a slot past the end of the bytes
};
struct AttrScan {
    AttrFault fault = AttrFault::None;
    unsigned int id = 0;      // the id at the fault
    unsigned int bit = 0;     // where that id (bits) or its slot (slots) starts, in bits
    unsigned int prev = 0;    // bits: the id before it
    unsigned int length = 0;  // the section's bytes; 0 when it has no end
};

// Read the section at 'at' with 'avail' bytes behind it as the game reads it: ids out of
// order or repeated are noted and read on, an unknown id or a missing end stops it. A fault
// where "if" starts, on the byte boundary behind the last value, is a missing end id. 'out'
// receives the entries read before the first fault.
AttrScan ScanBits(const unsigned char* at, unsigned int avail, AttrList& out);
AttrScan ScanSlots(const unsigned char* at, unsigned int avail, AttrList& out);
// The same, returning the section's length in bytes, or 0 when it has any fault.
unsigned int DecodeBits(const unsigned char* at, unsigned int avail, AttrList& out);
unsigned int DecodeSlots(const unsigned char* at, unsigned int avail, AttrList& out);
// Write the section into 'out' (room for ATTR_MAX_BYTES) and return its length. Bits: values
// wider than their id are cut to the width, the end id and zero padding follow.
unsigned int EncodeBits(const AttrList& in, unsigned char* out);
unsigned int EncodeSlots(const AttrList& in, unsigned char* out);

// The value of an id, 0 when absent; setting 0 removes the entry, any other value replaces
// it in place or inserts it in ascending order.
std::uint32_t AttrGet(const AttrList& list, unsigned int id);
void AttrSet(AttrList& list, unsigned int id, std::uint32_t value);
bool operator==(const AttrList& a, const AttrList& b);
