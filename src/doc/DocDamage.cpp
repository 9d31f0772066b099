// The damage of a file of a known layout, sought in file order. Each later section is found
// from the earlier ones, so the search ends where a section it needs cannot be located:
// behind a header without sections, a missing "gf", an attribute list without an end or a
// missing "if". A file cut short shows first as a size field that is not its length (from
// 1.09 on) or as skills or "JM" missing (every layout).
#include <cstdio>
#include <string>
#include <vector>

#include "core/Document.h"
#include "doc/AttrList.h"
#include "doc/Doc.h"
#include "doc/DocCheck.h"
#include "doc/Layout.h"

namespace {

std::string num(unsigned int n) { return std::to_string(n); }

std::string hex(unsigned int n, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, n);
    return text;
}

bool marker(const cDocument& ad, unsigned int at, const char* text, unsigned int len) {
    if (at + len > ad.length) return false;
    for (unsigned int i = 0; i < len; ++i) {
        if (ad.data[at + i] != static_cast<unsigned char>(text[i])) return false;
    }
    return true;
}

// "which holds 57 00", or "past the file's end at byte N" for bytes it does not have.
std::string holds(const cDocument& ad, unsigned int at, unsigned int len) {
    if (at + len > ad.length) return "past the file's end at byte " + num(ad.length);
    std::string text = "which holds";
    for (unsigned int i = 0; i < len; ++i) text += " " + hex(ad.data[at + i], 2).substr(2);
    return text;
}

std::string belongs(const cDocument& ad, const std::string& what, unsigned int at,
                    unsigned int len = 2) {
    return what + " belongs at byte " + num(at) + ", " + holds(ad, at, len);
}

struct Marker {
    unsigned int classic;  // offset in the classic layout
    const char* bytes;
    const char* name;
};
const Marker kMarkers[] = {
    {OFS_WOO, "Woo!", "\"Woo!\""},
    {OFS_WS, "WS", "\"WS\""},
    {OFS_NPC, "\x01\x77", "01 77"},
    {OFS_GF, "gf", "\"gf\""},
};

// "byte 769, bit 3" for a bit of the attribute list.
std::string bitAt(const cDocument& ad, unsigned int bit) {
    return "byte " + num(DocAttributesStart(ad) + bit / 8) + ", bit " + num(bit % 8);
}

DocResult attrFault(const cDocument& ad, const AttrScan& s) {
    const std::string id = "id " + num(s.id);
    switch (s.fault) {
        case AttrFault::UnknownId:
            return {DocError::AttrUnknownId, id + " at " + bitAt(ad, s.bit)};
        case AttrFault::NoEnd: {
            const unsigned int at = DocAttributesStart(ad) + (s.bit + 7) / 8;
            return {DocError::AttrNoEnd,
                    marker(ad, at, "if", 2) ? "\"if\" follows its last attribute at byte " + num(at)
                                            : "the list from byte " + num(DocAttributesStart(ad)) +
                                                  " runs to the file's end"};
        }
        case AttrFault::OutOfOrder:
            return {DocError::AttrOutOfOrder,
                    id + " follows id " + num(s.prev) + " at " + bitAt(ad, s.bit)};
        case AttrFault::Repeated:
            return {DocError::AttrRepeated, id + " again at " + bitAt(ad, s.bit)};
        case AttrFault::Cut:
            return {DocError::AttrCut, "the slot of attribute " + num(s.id) + " at byte " +
                                           num(DocAttributesStart(ad) + s.bit / 8) +
                                           " passes the file's end at byte " + num(ad.length)};
        case AttrFault::None:
            break;
    }
    return {};
}

// Where "if" belongs (0 when that is not known), with the damage of the attribute section.
unsigned int findIf(const cDocument& ad, std::vector<DocResult>& out, std::string& how) {
    if (DocLayout(ad).codec == Codec::Classic) {
        const unsigned int at = CalcOffset(ad, NOM_SKILLS) - 2;
        how = "its presence bits " + hex(ad.data[OFS_PRESENCE_LO], 2) + " " +
              hex(ad.data[OFS_PRESENCE_HI], 2) + " put it at byte " + num(at);
        return at;
    }
    const AttrScan s = DocScanAttributes(ad);
    if (s.fault != AttrFault::None) out.push_back(attrFault(ad, s));
    if (!s.length) return 0;
    const unsigned int at = DocAttributesStart(ad) + s.length;
    how = "its attribute list ends at byte " + num(at);
    return at;
}

// The sections behind the header: their markers, the attributes, "if", skills and "JM".
void sections(const cDocument& ad, std::vector<DocResult>& out) {
    const unsigned int shift = DocLayout(ad).sectionShift;
    bool gf = true;
    for (const Marker& m : kMarkers) {
        const unsigned int at = m.classic + shift;
        const unsigned int len = unsigned(std::char_traits<char>::length(m.bytes));
        if (marker(ad, at, m.bytes, len)) continue;
        out.push_back({DocError::NoMarker, belongs(ad, m.name, at, len)});
        if (m.classic == OFS_GF) gf = false;
    }
    std::string how;
    const unsigned int ifAt = gf ? findIf(ad, out, how) : 0;
    if (!ifAt) return;
    if (!marker(ad, ifAt, "if", 2)) {
        out.push_back({DocError::NoIf, how + ", " + holds(ad, ifAt, 2)});
        return;
    }
    const unsigned int skills = ifAt + 2, items = skills + SKILL_COUNT;
    if (items > ad.length) {
        out.push_back({DocError::SkillsCut, "it ends at byte " + num(ad.length) +
                                                ", its skills run from byte " + num(skills) +
                                                " to " + num(items - 1)});
    } else if (!marker(ad, items, "JM", 2)) {
        out.push_back({DocError::NoItems, belongs(ad, "\"JM\"", items)});
    }
}

}  // namespace

std::vector<DocResult> DocDamage(const cDocument& ad) {
    std::vector<DocResult> out;
    const FileLayout& l = DocLayout(ad);
    if (!ad.data || !l.writable) return out;
    if (l.sized && ad.length >= OFS_SIZE + 4 && get32(ad.data + OFS_SIZE) != ad.length)
        out.push_back({DocError::SizeField, "it ends at byte " + num(ad.length) +
                                                ", its size field says " +
                                                num(get32(ad.data + OFS_SIZE))});
    if (ad.length > OFS_WOO + l.sectionShift) {
        sections(ad, out);
    } else if (ad.data[l.status] & STATUS_FIRST_SAVE) {
        out.push_back({DocError::NotPlayed, ""});
    } else {
        out.push_back({DocError::HeaderOnly,
                       "it ends at byte " + num(ad.length) + " and its status byte " +
                           num(l.status) + " holds " + hex(ad.data[l.status], 2) +
                           ", without the first-save bit " + hex(STATUS_FIRST_SAVE, 2)});
    }
    return out;
}

std::string DocDamageText(const DocResult& damage) {
    std::string text = std::string("the file ") + DocErrorText(damage.code);
    return damage.detail.empty() ? text : text + " (" + damage.detail + ")";
}
