// Files as bytes and little-endian values in them: shared by the native tests, the
// Windows tests and the fuzz target.
#pragma once

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

inline Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A file a test could not prepare fails the test (GoogleTest reports the exception).
inline void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    if (!out.write(reinterpret_cast<const char*>(bytes.data()), bytes.size()).flush())
        throw std::runtime_error("could not write " + path);
}

inline void Put16(Bytes& b, unsigned offset, unsigned value) {
    b[offset] = value & 0xFF, b[offset + 1] = (value >> 8) & 0xFF;
}

inline void Put32(Bytes& b, unsigned offset, unsigned value) {
    Put16(b, offset, value & 0xFFFF), Put16(b, offset + 2, value >> 16);
}

// The bytes of a 1.09-or-later file with its length and checksum written as the format
// describes them: each byte added to the sum rotated left, bytes 12-15 counted as zeros.
inline Bytes Sealed(Bytes b) {
    Put32(b, 8, unsigned(b.size())), Put32(b, 12, 0);
    unsigned sum = 0;
    for (unsigned char c : b) sum = ((sum << 1) | (sum >> 31)) + c;
    Put32(b, 12, sum);
    return b;
}

inline Bytes With16(Bytes b, unsigned offset, unsigned value) {
    Put16(b, offset, value);
    return b;
}

#ifdef VELMOR_TEST_DATA
// A file of the test data.
inline Bytes Sample(const std::string& name) { return ReadBytes(VELMOR_TEST_DATA "/" + name); }
#endif

// The bytes with `width` bits from bit `at` on (bit k is bit k % 8 of byte k / 8) holding
// value, its lowest bit first.
inline Bytes WithBits(Bytes b, unsigned at, unsigned width, std::uint32_t value) {
    for (unsigned i = 0; i < width; ++i, ++at)
        b[at / 8] = (b[at / 8] & ~(1u << at % 8)) | ((value >> i & 1) << at % 8);
    return b;
}

// The bytes with the 15-byte name field (at 8 in the classic layouts) holding the name.
inline Bytes Named(Bytes b, const std::string& name, unsigned at = 8) {
    std::fill(b.begin() + at, b.begin() + at + 15, 0);
    std::copy(name.begin(), name.end(), b.begin() + at);
    return b;
}

// The header-only file a game writes when a character is created, field by field as the
// format describes it: every byte not set here is 0; sealed with size and checksum.
inline Bytes Newbie(unsigned version, int charClass, int edition, bool hardcore, unsigned created,
                    const std::string& name) {
    const bool v105 = version == 105;
    const unsigned status = v105 ? 20 : 36, appearance = v105 ? 120 : 136;
    Bytes b(v105 ? 403 : 335, 0);
    Put32(b, 0, 0xAA55AA55), Put32(b, 4, version);
    b[status] = 0x01 | (hardcore ? 0x04 : 0) | (!v105 && edition == 2 ? 0x20 : 0);
    b[status + 4] = charClass, b[status + 5] = 0x10, b[status + 6] = 0x1E, b[status + 7] = 1;
    Put32(b, status + 8, created), Put32(b, status + 12, created);
    const Bytes look = {1, 1, 1, 1, 1, 0xFF, 0xFF, 0xFF, 1, 1};
    std::fill(b.begin() + appearance, b.begin() + appearance + 32, 0xFF);
    std::copy(look.begin(), look.end(), b.begin() + appearance);
    if (v105) b[248] = edition;
    std::copy(name.begin(), name.end(), b.begin() + (v105 ? 299 : version >= 98 ? 267 : 20));
    return Sealed(b);
}

// A newbie file's creation time (0 for a file too short to hold it).
inline unsigned Created(const Bytes& b) {
    const unsigned at = b.size() > 51 && b[4] == 105 ? 28 : 44;
    return b.size() > 51 ? b[at] | b[at + 1] << 8 | b[at + 2] << 16 | unsigned(b[at + 3]) << 24 : 0;
}
