// CExif walks the marker stream at the head of a JPEG file: it tells EXIF
// photos from others, finds a FlashPix audio annotation, and carries the
// annotation's APP2 segments from one EXIF photo into another.
//
// It never parses image data and trusts the segment lengths it reads. Results
// are Booleans, MarkerType values or the result codes below; end of input is a
// short read, never an exception. A FileError raised by the file object is
// caught only where a step can sensibly go on without it (see exif.cpp); any
// other one reaches the caller, with every opened file closed.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "binary_file.h"
#include "trace_list.h"

namespace qx {

class CExif {
  public:
    enum MarkerType {
        SOI,
        APP0,
        APP1,
        APP2,
        APP3,
        APP4,
        APP5,
        APP6,
        APP7,
        APP8,
        APP9,
        APP10,
        APP11,
        APP12,
        APP13,
        APP14,
        APP15,
        COM,
        DQT,
        UNKNOWN,
    };

    // The result codes of ReadHeader, ReadAppMarker and ReadMarkerReadyContentsList.
    enum Result : int {
        kSuccess = 0,
        kCannotOpen = -1,
        kUnexpectedEnd = -2,
        kNotJpeg = -3,
        kWrongMarker = -4,
        kBadContent = -5,
    };

    explicit CExif(std::string path) : m_strPath(std::move(path)) {}
    virtual ~CExif() = default;

    const std::string& Path() const { return m_strPath; }

    // Appends line to the attached trace list, if there is one.
    static void Trace(std::string line);

    // One read of count bytes; false (and a trace line) when fewer came back.
    static bool ReadBytes(BinaryFile& file, void* buffer, uint32_t count);
    // The kind of the marker at the current position, which it leaves unchanged.
    static MarkerType GetMarkerType(BinaryFile& file);
    // Copies the segment at the input's position.
    static bool CopyMarker(BinaryFile& in, BinaryFile& out);
    // Writes SOI, then every segment of in (positioned at its SOI) before its first DQT.
    static bool CopyMarkersBeforeDQT(BinaryFile& in, BinaryFile& out);
    // Copies everything from the input's position to its end.
    static bool CopyRemainder(BinaryFile& in, BinaryFile& out);

    // The EXIF header test: SOI, then APP1 with "Exif" and two zero bytes.
    static int ReadHeader(std::string path);
    static bool IsExif(std::string path);

    // True when SOI, APP1 and then an APP2 contents list of 5 entries begin the photo.
    static bool AudioPresent(std::string path);
    // Reads an APP0..APP15 segment after moving skip bytes; length is set once read.
    static int ReadAppMarker(BinaryFile& file, int& length, int skip);
    // Reads the APP2 FlashPix contents list; count is set only on success.
    static int ReadMarkerReadyContentsList(BinaryFile& file, int& count);

    // Puts the APP2 run of source into the photo of this object, through
    // working files made in folder. True only when the photo now holds it.
    bool AudioEmbedFromExif(std::string source, std::string folder);
    // Writes the run of APP2 segments that follows the source's APP1 into markersPath.
    static bool AudioExtractMarkers(const std::string& source, const std::string& markersPath);
    // Appends the whole markers file at the output's position.
    static bool AudioEmbedMarkers(BinaryFile& out, const std::string& markersPath);

  private:
    std::string m_strPath;
};

}  // namespace qx
