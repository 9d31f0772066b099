// What the open file's version says about it: its layout, whether it can be written and
// why not, and the size and checksum fields of the newer layouts.
#include <string>
#include <vector>

#include "core/Document.h"
#include "doc/Doc.h"
#include "doc/DocCheck.h"
#include "doc/Layout.h"

std::uint32_t DocFormatVersion(const cDocument& ad) {
    return ad.data && ad.length >= OFS_VERSION + 4 ? get32(ad.data + OFS_VERSION) : 0;
}

const FileLayout& DocLayout(const cDocument& ad) { return LayoutOf(DocFormatVersion(ad)); }

std::string DocReadOnlyReason(const cDocument& ad) {
    if (!DocLayout(ad).writable)
        return std::string("only versions ") + WritableVersionsText() + " can be saved";
    const std::vector<DocResult> damage = DocDamage(ad);
    return damage.empty() ? "" : DocDamageText(damage.front());
}

int DocEdition(const cDocument& ad) {
    if (!ad.data) return 0;
    const FileLayout& l = DocLayout(ad);
    if (l.edition) return l.edition < ad.length ? ad.data[l.edition] : 0;
    return ad.data[l.status] & STATUS_EXPANSION ? EDITION_EXPANSION : EDITION_CLASSIC;
}

int DocClassCount(const cDocument& ad) {
    switch (DocEdition(ad)) {
        case EDITION_WARLOCK:
            return CLASS_COUNT;
        case EDITION_EXPANSION:
            return EXPANSION_CLASS_COUNT;
    }
    return CLASSIC_CLASS_COUNT;
}

bool DocExpansion(const cDocument& ad) {
    const int edition = DocEdition(ad);
    return edition == EDITION_EXPANSION || edition == EDITION_WARLOCK;
}

bool DocVersionWritable(const cDocument& ad) { return DocReadOnlyReason(ad).empty(); }

std::string DocVersionText(const cDocument& ad) {
    const FileLayout& l = DocLayout(ad);
    std::string text =
        "format version " + std::to_string(DocFormatVersion(ad)) + " (" + l.game + ")";
    const std::string reason = DocReadOnlyReason(ad);
    if (!reason.empty()) text += ": read-only, " + reason;
    if (!DocChecksumOk(ad))
        text +=
            reason.empty() ? "; checksum wrong, a save writes a correct one" : "; checksum wrong";
    return text;
}

bool DocLadder(const cDocument& ad) {
    const FileLayout& l = DocLayout(ad);  // the flag exists from 1.10 on
    return ad.data && l.codec == Codec::Bits && (ad.data[l.status] & STATUS_LADDER);
}

std::uint32_t DocChecksum(const unsigned char* data, unsigned int length) {
    std::uint32_t sum = 0;
    for (unsigned int i = 0; i < length; ++i) {
        const unsigned char b = i >= OFS_CHECKSUM && i < OFS_CHECKSUM + 4 ? 0 : data[i];
        sum = ((sum << 1) | (sum >> 31)) + b;
    }
    return sum;
}

bool DocChecksumOk(const cDocument& ad) {
    if (!ad.data || !DocLayout(ad).sized || ad.length < OFS_CHECKSUM + 4) return true;
    return get32(ad.data + OFS_CHECKSUM) == DocChecksum(ad.data, ad.length);
}

void DocSeal(cDocument& ad) {
    if (!ad.data || !DocLayout(ad).sized) return;
    put32(ad.data + OFS_SIZE, ad.length);
    put32(ad.data + OFS_CHECKSUM, DocChecksum(ad.data, ad.length));
}
