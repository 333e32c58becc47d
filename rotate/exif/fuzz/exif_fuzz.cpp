// libFuzzer target: arbitrary bytes as the untouched copy and as the saved
// photo, through the header test, the audio detection and the carry-over.
// Input: two bytes (big-endian) giving the copy's size, the copy, the photo.
//
// Besides crashes, leaks and hangs it stops on a broken promise of the
// carry-over: the copy is never changed, the photo is changed only when the
// carry-over succeeds (and then grows by at least one segment), and no
// working file is left behind.
#include <stdlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "exif.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

// A private folder, in memory where the system has one: the carry-over
// flushes every chunk it writes.
const fs::path& Folder() {
    static const fs::path folder = [] {
        const fs::path base =
            fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        std::string pattern = (base / "qx-exif-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) abort();
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(Folder(), ignored);
        });
        return fs::path(pattern);
    }();
    return folder;
}

void Write(const fs::path& path, const uint8_t* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

Bytes Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void Require(bool promise, const char* what) {
    if (promise) return;
    std::fprintf(stderr, "broken promise: %s\n", what);
    abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const size_t sourceSize = std::min<size_t>((size_t{data[0]} << 8) | data[1], size - 2);
    const uint8_t* source = data + 2;
    const uint8_t* photo = source + sourceSize;
    const size_t photoSize = size - 2 - sourceSize;

    const fs::path sourcePath = Folder() / "copy.jpg";
    const fs::path photoPath = Folder() / "photo.jpg";
    Write(sourcePath, source, sourceSize);
    Write(photoPath, photo, photoSize);

    qx::TraceList lines;
    qx::g_pTraceList = &lines;
    bool embedded = false;
    try {
        qx::CExif::IsExif(photoPath.string());
        qx::CExif::AudioPresent(sourcePath.string());
        embedded = qx::CExif(photoPath.string())
                       .AudioEmbedFromExif(sourcePath.string(), Folder().string());
    } catch (const qx::FileError&) {
        // A file error outside the guarded steps reaches the caller by design.
    }
    qx::g_pTraceList = nullptr;

    size_t entries = 0;
    for (const auto& entry : fs::directory_iterator(Folder())) {
        (void)entry;
        ++entries;
    }
    Require(entries == 2, "a working file was left behind");
    Require(Read(sourcePath) == Bytes(source, source + sourceSize), "the copy was changed");
    const Bytes after = Read(photoPath);
    if (embedded) {
        Require(after.size() >= photoSize + 4, "the photo did not receive the run");
    } else {
        Require(after == Bytes(photo, photo + photoSize), "a failed carry-over changed the photo");
    }
    return 0;
}
