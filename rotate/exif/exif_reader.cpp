// The marker reader: reading, peeking and copying segments, the EXIF header
// test and the FlashPix audio detection.
#include <cstdint>
#include <memory>

#include "exif.h"
#include "exif_internal.h"
#include "string_format.h"

namespace qx {
namespace {

using From = BinaryFile::SeekFrom;

// One chunk of a segment or file copy, flushed as soon as it is written.
constexpr uint32_t kChunk = 32768;

uint16_t BigEndian16(const uint8_t* bytes) {
    return static_cast<uint16_t>((bytes[0] << 8) | bytes[1]);
}

uint32_t BigEndian32(const uint8_t* bytes) {
    return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) |
           bytes[3];
}

struct MarkerKind {
    uint16_t code;
    CExif::MarkerType kind;
    const char* name;
};

constexpr MarkerKind kMarkerKinds[] = {
    {0xFFD8, CExif::SOI, "SOI - Start of image"},
    {0xFFE0, CExif::APP0, "APP0 - Application-specific data"},
    {0xFFE1, CExif::APP1, "APP1 - Application-specific data"},
    {0xFFE2, CExif::APP2, "APP2 - Application-specific data"},
    {0xFFE3, CExif::APP3, "APP3 - Application-specific data"},
    {0xFFE4, CExif::APP4, "APP4 - Application-specific data"},
    {0xFFE5, CExif::APP5, "APP5 - Application-specific data"},
    {0xFFE6, CExif::APP6, "APP6 - Application-specific data"},
    {0xFFE7, CExif::APP7, "APP7 - Application-specific data"},
    {0xFFE8, CExif::APP8, "APP8 - Application-specific data"},
    {0xFFE9, CExif::APP9, "APP9 - Application-specific data"},
    {0xFFEA, CExif::APP10, "APP10 - Application-specific data"},
    {0xFFEB, CExif::APP11, "APP11 - Application-specific data"},
    {0xFFEC, CExif::APP12, "APP12 - Application-specific data"},
    {0xFFED, CExif::APP13, "APP13 - Application-specific data"},
    {0xFFEE, CExif::APP14, "APP14 - Application-specific data"},
    {0xFFEF, CExif::APP15, "APP15 - Application-specific data"},
    {0xFFFE, CExif::COM, "COM - Comment"},
    {0xFFDB, CExif::DQT, "DQT - Define quantization tables"},
};

// The identifier at the head of an APP segment: the bytes up to the first zero
// byte, or up to the end of the file. Segment bounds do not limit it.
std::string ReadIdentifier(BinaryFile& file) {
    std::string identifier;
    uint8_t byte = 0;
    while (CExif::ReadBytes(file, &byte, 1) && byte != 0)
        identifier.push_back(static_cast<char>(byte));
    return identifier;
}

// Marker, length and identifier of the APP segment at the file's position,
// each with its trace line; the marker must lie in [low, high]. Gives 0 or the
// result code of the first thing that is wrong.
int ReadAppSegmentStart(BinaryFile& file, uint16_t low, uint16_t high, const char* invalidLine,
                        int* lengthOut, uint16_t& length) {
    uint8_t bytes[2];
    if (!CExif::ReadBytes(file, bytes, 2)) return CExif::kUnexpectedEnd;
    const uint16_t marker = BigEndian16(bytes);
    if (marker < low || marker > high) {
        CExif::Trace(FormatString(invalidLine, marker));
        return CExif::kWrongMarker;
    }
    CExif::Trace(
        FormatString("   0x%04X - APP%d (Application-specific data)", marker, marker - 0xFFE0));
    if (!CExif::ReadBytes(file, bytes, 2)) return CExif::kUnexpectedEnd;
    length = BigEndian16(bytes);
    if (lengthOut != nullptr) *lengthOut = length;
    CExif::Trace(FormatString("   0x%04X - APP length (%d bytes)", length, length));
    const std::string identifier = ReadIdentifier(file);
    if (identifier.empty()) {
        CExif::Trace("   No APP ID code");
        return CExif::kBadContent;
    }
    CExif::Trace(FormatString("   \"%s\" - APP ID Code", identifier.c_str()));
    return CExif::kSuccess;
}

}  // namespace

void TraceFileError(const FileError& error) {
    char text[1024];
    error.GetErrorMessage(text, sizeof text);
    CExif::Trace(text);
}

void CExif::Trace(std::string line) {
    if (g_pTraceList != nullptr) g_pTraceList->push_back(std::move(line));
}

bool CExif::ReadBytes(BinaryFile& file, void* buffer, uint32_t count) {
    if (file.Read(buffer, count) >= count) return true;
    Trace("CExif::ReadBytes() - Unexpected EOF");
    return false;
}

CExif::MarkerType CExif::GetMarkerType(BinaryFile& file) {
    Trace("CExif::GetMarkerType()");
    Trace("<");
    const uint32_t pos = file.GetPosition();
    Trace(FormatString("   pos = 0x%X", pos));
    uint8_t bytes[2];
    if (!ReadBytes(file, bytes, 2)) {
        Trace(">");
        file.Seek(pos, From::Begin);
        return UNKNOWN;
    }
    file.Seek(pos, From::Begin);
    const uint16_t code = BigEndian16(bytes);
    MarkerType kind = UNKNOWN;
    const char* name = "UNKNOWN marker";
    for (const MarkerKind& known : kMarkerKinds) {
        if (known.code == code) {
            kind = known.kind;
            name = known.name;
            break;
        }
    }
    Trace(FormatString("   marker = 0x%04X  ", code) + name);
    Trace(">");
    return kind;
}

bool CExif::CopyMarker(BinaryFile& in, BinaryFile& out) {
    uint8_t header[2];
    if (!ReadBytes(in, header, 2)) return false;
    out.Write(header, 2);
    if (!ReadBytes(in, header, 2)) return false;
    out.Write(header, 2);
    int32_t remaining = int32_t{BigEndian16(header)} - 2;
    const auto buffer = std::make_unique<uint8_t[]>(kChunk);
    try {
        while (remaining > 0) {
            const uint32_t chunk =
                remaining <= int32_t{kChunk} ? static_cast<uint32_t>(remaining) : kChunk;
            if (in.Read(buffer.get(), chunk) < chunk) return false;
            out.Write(buffer.get(), chunk);
            out.Flush();
            remaining -= static_cast<int32_t>(chunk);
        }
    } catch (const FileError&) {
        return false;
    }
    return true;
}

bool CExif::CopyMarkersBeforeDQT(BinaryFile& in, BinaryFile& out) {
    static const uint8_t kSoi[2] = {0xFF, 0xD8};
    out.Write(kSoi, 2);
    // The input's own SOI: neither checked nor copied. Should it be missing,
    // the copy below fails on what is there instead.
    uint8_t ownSoi[2];
    ReadBytes(in, ownSoi, 2);
    while (GetMarkerType(in) != DQT) {
        if (!CopyMarker(in, out)) return false;
    }
    return true;
}

bool CExif::CopyRemainder(BinaryFile& in, BinaryFile& out) {
    const auto buffer = std::make_unique<uint8_t[]>(kChunk);
    for (;;) {
        const uint32_t got = in.Read(buffer.get(), kChunk);
        if (got == 0) return true;
        try {
            out.Write(buffer.get(), got);
            out.Flush();
        } catch (const FileError&) {
            return false;
        }
    }
}

int CExif::ReadHeader(std::string path) {
    Trace(FormatString("CExif::ReadHeader(\"%s\")", path.c_str()));
    Trace("<");
    BinaryFile file;
    FileError error;
    if (!file.Open(path.c_str(), BinaryFile::Mode::ReadDenyWrite, &error)) {
        TraceFileError(error);
        Trace(">");
        return kCannotOpen;
    }
    const auto finish = [&file](int result) {
        Trace(">");
        file.Close();
        return result;
    };
    uint8_t bytes[4];
    if (!ReadBytes(file, bytes, 2)) return finish(kUnexpectedEnd);
    uint16_t value = BigEndian16(bytes);
    if (value != 0xFFD8) {
        Trace(FormatString("   0x%02X - Invalid JPEG file (expected 0xFFD8)", value));
        return finish(kNotJpeg);
    }
    Trace("   0xFFD8 - Start Of Image (SOI)");

    if (!ReadBytes(file, bytes, 2)) return finish(kUnexpectedEnd);
    value = BigEndian16(bytes);
    if (value != 0xFFE1) {
        Trace(FormatString("   0x%02X - Invalid EXIF file (expected 0xFFE1)", value));
        return finish(kWrongMarker);
    }
    Trace("   0xFFE1 - APP Marker 1 (Exif attribute info)");

    if (!ReadBytes(file, bytes, 2)) return finish(kUnexpectedEnd);
    value = BigEndian16(bytes);
    Trace(FormatString("   0x%02X - APP 1 Length (%d bytes)", value, value));

    if (!ReadBytes(file, bytes, 4)) return finish(kUnexpectedEnd);
    const uint32_t identifier = BigEndian32(bytes);
    if (identifier != 0x45786966) {
        Trace(FormatString("   0x%04X - Invalid EXIF ID (expected \"Exif\")", identifier));
        return finish(kBadContent);
    }
    Trace("   \"Exif\" - EXIF ID code");

    if (!ReadBytes(file, bytes, 2)) return finish(kUnexpectedEnd);
    value = BigEndian16(bytes);
    if (value != 0) {
        Trace(
            FormatString("   0x%02X - NULL and padding not present (expected 0x00, 0x00)", value));
        return finish(kBadContent);
    }
    Trace("   0x00 - NULL");
    Trace("   0x00 - Padding");
    return finish(kSuccess);
}

bool CExif::IsExif(std::string path) {
    Trace(FormatString("CExif::IsExif(\"%s\")", path.c_str()));
    if (ReadHeader(path) == kSuccess) {
        Trace("CExif::IsExif() - true");
        return true;
    }
    Trace("CExif::IsExif() - false");
    return false;
}

int CExif::ReadAppMarker(BinaryFile& file, int& length, int skip) {
    Trace("CExif::ReadAppMarker()");
    Trace("<");
    try {
        file.Seek(skip, From::Current);
    } catch (const FileError&) {
        return kUnexpectedEnd;
    }
    const uint32_t pos = file.GetPosition();
    uint16_t segmentLength = 0;
    const int result = ReadAppSegmentStart(
        file, 0xFFE0, 0xFFEF, "   0x%04X - invalid APP marker (expected 0xFFE0-0xFFEF)", &length,
        segmentLength);
    Trace(">");
    if (result != kSuccess) {
        file.Seek(pos, From::Begin);
        return result;
    }
    try {
        file.Seek(int64_t{pos} + 2 + segmentLength, From::Begin);
    } catch (const FileError&) {
        return kUnexpectedEnd;
    }
    return kSuccess;
}

int CExif::ReadMarkerReadyContentsList(BinaryFile& file, int& count) {
    Trace("CExif::ReadMarkerReadyContentsList()");
    count = 0;
    Trace("<");
    const uint32_t pos = file.GetPosition();
    const auto back = [&file, pos](int result) {
        Trace(">");
        file.Seek(pos, From::Begin);
        return result;
    };
    uint16_t segmentLength = 0;
    const int start = ReadAppSegmentStart(file, 0xFFE2, 0xFFE2,
                                          "   0x%04X - invalid APP marker (expected 0xFFE2)",
                                          nullptr, segmentLength);
    if (start != kSuccess) return back(start);

    uint8_t bytes[2];
    if (!ReadBytes(file, bytes, 1)) return back(kUnexpectedEnd);
    if (bytes[0] != 0x00) {
        Trace(FormatString("   0x%02X - Version not present (expected 0x00)", bytes[0]));
        return back(kBadContent);
    }
    Trace("   0x00 - Version");

    if (!ReadBytes(file, bytes, 1)) return back(kUnexpectedEnd);
    if (bytes[0] != 0x01) {
        Trace(FormatString("   0x%02X - No Contents List (expected 0x01)", bytes[0]));
        return back(kBadContent);
    }
    Trace(FormatString("   0x%02X - Contents List", 1));

    if (!ReadBytes(file, bytes, 2)) return back(kUnexpectedEnd);
    const uint16_t entries = BigEndian16(bytes);
    if (entries != 2 && entries != 5) {
        Trace(FormatString("   0x%04X - Invalid entry count (expected 0x0002 or 0x0005)", entries));
        return back(kBadContent);
    }
    Trace(FormatString("   0x%04X - Number of entries", entries));
    count = entries;
    Trace(">");
    try {
        file.Seek(int64_t{pos} + 2 + segmentLength, From::Begin);
    } catch (const FileError&) {
        return kUnexpectedEnd;
    }
    return kSuccess;
}

bool CExif::AudioPresent(std::string path) {
    Trace(FormatString("CExif::AudioPresent(\"%s\")", path.c_str()));
    if (!IsExif(path)) {
        Trace("CExif::AudioPresent() - false");
        return false;
    }
    BinaryFile file;
    FileError error;
    if (!file.Open(path.c_str(), BinaryFile::Mode::ReadDenyWrite, &error)) {
        TraceFileError(error);
        Trace("CExif::AudioPresent() - false");
        return false;
    }
    const auto fail = [&file] {
        Trace("CExif::AudioPresent() - false");
        file.Close();
        return false;
    };
    const auto unexpected = [&fail] {
        Trace("CExif::AudioPresent() - unexpected marker");
        return fail();
    };

    Trace("");
    Trace("Expecting Start of Image");
    if (GetMarkerType(file) != SOI) return unexpected();
    try {
        file.Seek(2, From::Begin);
    } catch (const FileError&) {
        Trace("CExif::AudioPresent() - unexpected EOF");
        return fail();
    }

    Trace("");
    Trace("Expecting Exif Attribute Info");
    if (GetMarkerType(file) != APP1) return unexpected();
    int length = 0;
    if (ReadAppMarker(file, length, 0) != kSuccess) {
        Trace("Unexpected Marker");
        return fail();
    }

    Trace("");
    Trace("Expecting FlashPix Ready Contents List");
    if (GetMarkerType(file) != APP2) return unexpected();
    int count = 0;
    if (ReadMarkerReadyContentsList(file, count) != kSuccess) return fail();

    file.Close();
    if (count == 5) {
        Trace("CExif::AudioPresent() - true");
        return true;
    }
    Trace("CExif::AudioPresent() - false");
    return false;
}

}  // namespace qx
