// Crafted JPEG marker streams, a scratch folder for them and a trace list
// for the tests of CExif (and the seeds of its fuzz target).
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "binary_file.h"
#include "trace_list.h"

namespace qx::test {

using Bytes = std::vector<uint8_t>;

inline Bytes operator+(Bytes head, const Bytes& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

inline Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

inline Bytes Word(uint16_t value) {
    return {static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value & 0xFF)};
}

// A segment whose length field counts itself and the payload.
inline Bytes Segment(uint16_t marker, const Bytes& payload) {
    return Word(marker) + Word(static_cast<uint16_t>(payload.size() + 2)) + payload;
}

// size bytes that differ from one seed to the next, so misplaced copies show.
inline Bytes Filler(size_t size, uint8_t seed) {
    Bytes bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(seed + i * 7);
    return bytes;
}

inline Bytes Soi() { return Word(0xFFD8); }

inline Bytes ExifApp1(size_t tiffSize = 24) {
    return Segment(0xFFE1, Text("Exif") + Bytes{0, 0} + Text("MM") + Filler(tiffSize, 0x11));
}

inline Bytes JfifApp0() {
    return Segment(0xFFE0, Text("JFIF") + Bytes{0, 1, 2, 0, 0, 1, 0, 1, 0, 0});
}

// The FlashPix contents list: identifier, version, type 1 and the entry count.
inline Bytes ContentsList(uint16_t entries, uint8_t version = 0, uint8_t type = 1,
                          const std::string& identifier = "FPXR") {
    return Segment(0xFFE2, Text(identifier) + Bytes{0, version, type} + Word(entries) +
                               Filler(6u * entries, 0x40));
}

// An APP2 segment of stream data, one piece of the recording.
inline Bytes StreamApp2(uint8_t piece, size_t size = 40) {
    return Segment(0xFFE2, Text("FPXR") + Bytes{0, 2} + Filler(size, piece));
}

inline Bytes Com(const std::string& text) { return Segment(0xFFFE, Text(text)); }
inline Bytes App13() {
    return Segment(0xFFED, Text("Photoshop 3.0") + Bytes{0} + Filler(20, 0x13));
}

// DQT through EOI: what the reader only ever copies.
inline Bytes PictureFromDqt(size_t scanSize = 64) {
    return Segment(0xFFDB, Bytes{0} + Filler(64, 0x50)) +
           Segment(0xFFC0, Bytes{8, 0, 16, 0, 16, 1, 1, 0x11, 0}) +
           Segment(0xFFDA, Bytes{1, 1, 0, 0, 63, 0}) + Filler(scanSize, 0x77) + Word(0xFFD9);
}

// The run of APP2 segments of a photo with audio: the contents list and two
// pieces of the recording.
inline Bytes AudioRun(uint16_t entries = 5) {
    return ContentsList(entries) + StreamApp2(0xA1) + StreamApp2(0xB2, 300);
}

// An EXIF photo with audio, as the untouched copy holds it.
inline Bytes PhotoWithAudio(uint16_t entries = 5, const Bytes& afterRun = App13()) {
    return Soi() + ExifApp1() + AudioRun(entries) + afterRun + PictureFromDqt();
}

// An EXIF photo as the toolkit saves it: no APP2 segments.
inline Bytes SavedPhoto(const Bytes& beforeDqt = Bytes{}, size_t scanSize = 64) {
    return Soi() + ExifApp1(40) + beforeDqt + PictureFromDqt(scanSize);
}

// A fresh folder under the temporary directory, removed with everything in it.
class TempFolder {
  public:
    TempFolder() {
        std::random_device random;
        m_path = std::filesystem::temp_directory_path() /
                 ("qx exif " + std::to_string(random()) + "-" +
                  std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Folder() const { return m_path.string(); }
    std::string PathOf(const std::string& name) const { return (m_path / name).string(); }

    std::string Write(const std::string& name, const Bytes& bytes) const {
        std::ofstream out(m_path / name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        return PathOf(name);
    }
    Bytes Read(const std::string& name) const {
        std::ifstream in(m_path / name, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_path)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

  private:
    std::filesystem::path m_path;
};

// Attaches a trace list for as long as it lives.
class TraceCapture {
  public:
    TraceCapture() { g_pTraceList = &m_lines; }
    ~TraceCapture() { g_pTraceList = nullptr; }
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;

    std::vector<std::string> Lines() const { return {m_lines.begin(), m_lines.end()}; }
    std::vector<std::string> Last(size_t count) const {
        const auto lines = Lines();
        const size_t from = lines.size() > count ? lines.size() - count : 0;
        return {lines.begin() + static_cast<std::ptrdiff_t>(from), lines.end()};
    }
    bool Holds(const std::string& line) const {
        return std::find(m_lines.begin(), m_lines.end(), line) != m_lines.end();
    }
    void Clear() { m_lines.clear(); }

  private:
    TraceList m_lines;
};

}  // namespace qx::test
