// Loading, saving and dropping the document.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "core/Document.h"
#include "doc/Doc.h"
#include "doc/DocError.h"
#include "doc/Layout.h"
#include "support/File.h"
#include "support/mb.h"

bool DocTestD2FileFormat(cDocument& ad) {
    static const unsigned char signature[4] = {0x55, 0xAA, 0x55, 0xAA};
    unsigned char head[4];
    std::rewind(ad.fp);
    const std::size_t n = std::fread(head, 1, sizeof head, ad.fp);
    std::rewind(ad.fp);
    return n == sizeof head && std::memcmp(head, signature, sizeof head) == 0;
}

namespace {

bool failOpen(cDocument& ad, DocResult* why = nullptr, DocError code = DocError::CannotRead,
              std::string detail = "") {
    DocCloseFile(ad);
    if (why) *why = {code, detail};
    return false;
}

}  // namespace

bool DocOpenFile(cDocument& ad, const char* name, DocResult* why) {
    DocCloseFile(ad);
    ad.filename = name;
    FileFacts facts;
    if (!FileExamine(name, facts)) return failOpen(ad, why);
    if (!facts.exists) return failOpen(ad, why, DocError::Missing);
    if (facts.folder) return failOpen(ad, why, DocError::Folder);
    ad.fp = std::fopen(name, "rb");
    if (!ad.fp) return failOpen(ad, why, DocError::CannotRead, std::strerror(errno));
    if (!DocTestD2FileFormat(ad)) return failOpen(ad, why, DocError::NotSave);
    // One read of at most one byte past the limit tells a too-long file without reading it
    // all, and the bytes counted are the bytes kept.
    const std::size_t room = MAX_FILE_SIZE + 1;
    std::unique_ptr<unsigned char[]> bytes(new (std::nothrow) unsigned char[room]);
    if (!bytes) return failOpen(ad);
    std::size_t n = 0;
    while (n < room) {
        const std::size_t got = std::fread(bytes.get() + n, 1, room - n, ad.fp);
        if (got == 0) break;
        n += got;
    }
    if (std::ferror(ad.fp)) return failOpen(ad, why);
    if (n > MAX_FILE_SIZE) return failOpen(ad, why, DocError::TooLong);
    if (n < OFS_VERSION + 4 || n < LayoutOf(get32(bytes.get() + OFS_VERSION)).minSize)
        return failOpen(ad, why, DocError::TooShort);
    ad.data = new (std::nothrow) unsigned char[n + SPARE_BYTES]();
    if (!ad.data) return failOpen(ad);
    std::memcpy(ad.data, bytes.get(), n);
    ad.length = static_cast<unsigned int>(n);
    ad.capacity = ad.length + SPARE_BYTES;
    std::fclose(ad.fp);
    ad.fp = nullptr;
    return true;
}

bool DocCheckWritable(cDocument& ad) {
    // Bytes written where this editor does not know the layout would no longer be a save.
    const std::string reason = DocReadOnlyReason(ad);
    if (reason.empty()) return true;
    const std::string text =
        "format version " + std::to_string(DocFormatVersion(ad)) + " cannot be saved: " + reason;
    mb(text.c_str());
    return false;
}

bool DocSaveFile(cDocument& ad, const char* name, DocResult* why) {
    if (!ad.data) {
        mb("no datapointer in DocSaveFile");
        if (why) *why = {DocError::NoDocument, ""};
        return false;
    }
    if (!DocCheckWritable(ad)) {
        if (why) *why = {DocError::NotWritable, DocReadOnlyReason(ad)};
        return false;
    }
    return DocWriteFile(ad, name, why);
}

bool DocWriteFile(cDocument& ad, const char* name, DocResult* why) {
    DocSeal(ad);
    std::string error;
    if (FileWriteAtomic(name, ad.data, ad.length, &error)) return true;
    if (why) *why = {DocError::CannotWrite, error};
    return false;
}

void DocCloseFile(cDocument& ad) { ad.reset(); }

bool DocReserve(cDocument& ad, unsigned int length) {
    if (length <= ad.capacity) return true;
    const unsigned int capacity = length + SPARE_BYTES;
    unsigned char* bigger = new (std::nothrow) unsigned char[capacity]();
    if (!bigger) return false;
    std::memcpy(bigger, ad.data, ad.length);
    delete[] ad.data;
    ad.data = bigger;
    ad.capacity = capacity;
    return true;
}
