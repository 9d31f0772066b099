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

namespace {

// Whether "if" starts on the byte boundary at or behind bit.
bool ifAt(const unsigned char* at, unsigned int avail, unsigned long long bit) {
    const unsigned long long byte = (bit + 7) / 8;
    return byte + 2 <= avail && at[byte] == 'i' && at[byte + 1] == 'f';
}

// Records the first fault only.
void note(AttrScan& s, AttrFault fault, unsigned int id, unsigned long long bit,
          unsigned int prev) {
    if (s.fault != AttrFault::None) return;
    s.fault = fault;
    s.id = id;
    s.bit = static_cast<unsigned int>(bit);
    s.prev = prev;
}

AttrScan stop(AttrScan s, AttrFault fault, unsigned int id, unsigned long long bit,
              unsigned int prev = 0) {
    note(s, fault, id, bit, prev);
    s.length = 0;
    return s;
}

}  // namespace

AttrScan ScanBits(const unsigned char* at, unsigned int avail, AttrList& out) {
    BitReader r{at, 8ull * avail};
    AttrScan s;
    out.count = 0;
    unsigned int last = 0;
    for (bool first = true;; first = false) {
        const unsigned long long start = r.pos;
        std::uint32_t id = 0, value = 0;
        const bool read = r.read(kIdBits, id);
        if (read && id == ATTR_END) break;
        const bool order = read && !first && id <= last;
        // Bits that make no next id where "if" begins: the list lacks its end.
        if (!read || ((id >= ATTR_COUNT || order) && ifAt(at, avail, start)))
            return stop(s, AttrFault::NoEnd, id, start, last);
        if (id >= ATTR_COUNT) return stop(s, AttrFault::UnknownId, id, start, last);
        if (!r.read(kAttrWidth[id], value)) return stop(s, AttrFault::NoEnd, id, start, last);
        if (order)
            note(s, id == last ? AttrFault::Repeated : AttrFault::OutOfOrder, id, start, last);
        if (s.fault == AttrFault::None) out.id[out.count] = id, out.value[out.count++] = value;
        last = id;
    }
    s.length = static_cast<unsigned int>((r.pos + 7) / 8);
    return s;
}

unsigned int DecodeBits(const unsigned char* at, unsigned int avail, AttrList& out) {
    const AttrScan s = ScanBits(at, avail, out);
    return s.fault == AttrFault::None ? s.length : 0;
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

AttrScan ScanSlots(const unsigned char* at, unsigned int avail, AttrList& out) {
    AttrScan s;
    out.count = 0;
    if (avail < 2) return stop(s, AttrFault::Cut, 0, 0);
    const unsigned int mask = get16(at);
    unsigned int pos = 2;
    for (unsigned int id = 0; id < ATTR_COUNT; ++id) {
        if (!(mask & (1u << id))) continue;
        if (pos + 4 > avail) return stop(s, AttrFault::Cut, id, 8ull * pos);
        out.id[out.count] = id;
        out.value[out.count++] = get32(at + pos);
        pos += 4;
    }
    s.length = pos;
    return s;
}

unsigned int DecodeSlots(const unsigned char* at, unsigned int avail, AttrList& out) {
    const AttrScan s = ScanSlots(at, avail, out);
    return s.fault == AttrFault::None ? s.length : 0;
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
