#include "doc/AttrList.h"

#include "doc/Layout.h"

namespace {

const unsigned int kIdBits = 9;
// Bits of the value of each id.
const unsigned char kAttrWidth[ATTR_COUNT] = {10, 10, 10, 10, 10, 8,  21, 21,
                                              21, 21, 21, 21, 7,  32, 25, 25};

struct BitReader {
    const unsigned char* at;
    unsigned long long bits;  // bits available
    unsigned long long pos = 0;

    bool read(unsigned int width, std::uint32_t& v) {
        if (pos + width > bits) return false;
        v = 0;
        for (unsigned int i = 0; i < width; ++i, ++pos) {
            v |= std::uint32_t((at[pos >> 3] >> (pos & 7)) & 1u) << i;
        }
        return true;
    }
};

struct BitWriter {
    unsigned char* at;
    unsigned int pos = 0;

    void write(unsigned int width, std::uint32_t v) {
        for (unsigned int i = 0; i < width; ++i, ++pos) {
            if (!(pos & 7)) at[pos >> 3] = 0;
            at[pos >> 3] |= ((v >> i) & 1u) << (pos & 7);
        }
    }
};

}  // namespace

unsigned int DecodeBits(const unsigned char* at, unsigned int avail, AttrList& out) {
    BitReader r{at, 8ull * avail};
    out.count = 0;
    for (;;) {
        std::uint32_t id = 0;
        if (!r.read(kIdBits, id)) return 0;
        if (id == ATTR_END) break;
        if (id >= ATTR_COUNT || (out.count && id <= out.id[out.count - 1])) return 0;
        if (!r.read(kAttrWidth[id], out.value[out.count])) return 0;
        out.id[out.count++] = id;
    }
    return static_cast<unsigned int>((r.pos + 7) / 8);
}

unsigned int EncodeBits(const AttrList& in, unsigned char* out) {
    BitWriter w{out};
    for (unsigned int i = 0; i < in.count; ++i) {
        w.write(kIdBits, in.id[i]);
        w.write(kAttrWidth[in.id[i]], in.value[i]);
    }
    w.write(kIdBits, ATTR_END);
    return (w.pos + 7) / 8;
}

unsigned int DecodeSlots(const unsigned char* at, unsigned int avail, AttrList& out) {
    if (avail < 2) return 0;
    const unsigned int mask = get16(at);
    out.count = 0;
    unsigned int pos = 2;
    for (unsigned int id = 0; id < ATTR_COUNT; ++id) {
        if (!(mask & (1u << id))) continue;
        if (pos + 4 > avail) return 0;
        out.id[out.count] = id;
        out.value[out.count++] = get32(at + pos);
        pos += 4;
    }
    return pos;
}

unsigned int EncodeSlots(const AttrList& in, unsigned char* out) {
    unsigned int mask = 0;
    for (unsigned int i = 0; i < in.count; ++i) {
        mask |= 1u << in.id[i];
        put32(out + 2 + 4 * i, in.value[i]);
    }
    put16(out, mask);
    return 2 + 4 * in.count;
}

std::uint32_t AttrGet(const AttrList& list, unsigned int id) {
    for (unsigned int i = 0; i < list.count; ++i) {
        if (list.id[i] == id) return list.value[i];
    }
    return 0;
}

void AttrSet(AttrList& list, unsigned int id, std::uint32_t value) {
    unsigned int i = 0;
    while (i < list.count && list.id[i] < id) ++i;
    const bool present = i < list.count && list.id[i] == id;
    if (present && value) {
        list.value[i] = value;
    } else if (present) {
        for (--list.count; i < list.count; ++i) {
            list.id[i] = list.id[i + 1];
            list.value[i] = list.value[i + 1];
        }
    } else if (value && list.count < ATTR_COUNT) {
        for (unsigned int j = list.count++; j > i; --j) {
            list.id[j] = list.id[j - 1];
            list.value[j] = list.value[j - 1];
        }
        list.id[i] = id;
        list.value[i] = value;
    }
}

bool operator==(const AttrList& a, const AttrList& b) {
    if (a.count != b.count) return false;
    for (unsigned int i = 0; i < a.count; ++i) {
        if (a.id[i] != b.id[i] || a.value[i] != b.value[i]) return false;
    }
    return true;
}
