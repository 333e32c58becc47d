// The audio carry-over: the APP2 run of an untouched copy of the photo goes
// into the photo the toolkit saved, directly before its first DQT.
//
// Three things are done more carefully than a plain remove-and-rename:
// - the rebuilt file takes the photo's place in one atomic step, so the photo
//   is never missing; if that step fails the photo stays as it was;
// - the photo is replaced only when the whole APP2 run and the whole rest of
//   the picture went into the rebuilt file;
// - the working files are created only under names nobody uses yet, and every
//   working file a carry-over made is gone when it ends, however it ends.
#include <string>
#include <vector>

#include "exif.h"
#include "exif_internal.h"
#include "string_format.h"

namespace qx {
namespace {

using Mode = BinaryFile::Mode;

#if defined(_WIN32)
constexpr char kSeparator = '\\';
bool EndsWithSeparator(const std::string& folder) {
    return folder.back() == '\\' || folder.back() == '/';
}
#else
constexpr char kSeparator = '/';
bool EndsWithSeparator(const std::string& folder) { return folder.back() == '/'; }
#endif

std::string InFolder(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return EndsWithSeparator(folder) ? folder + name : folder + kSeparator + name;
}

// Creates a working file under the first free name of stem.ext, stem1.ext,
// stem2.ext, ... in folder. The file system itself decides what is free, so a
// name that differs from an existing file only in letter case is taken as
// used wherever the file system compares names that way.
bool CreateWorkingFile(const std::string& folder, const char* stem, const char* ext,
                       BinaryFile& file, std::string& path, FileError& error) {
    constexpr int kAttempts = 100;
    for (int n = 0; n < kAttempts; ++n) {
        path = InFolder(folder, n == 0 ? FormatString("%s%s", stem, ext)
                                       : FormatString("%s%d%s", stem, n, ext));
        if (file.Open(path.c_str(), Mode::CreateNewWriteDenyWrite, &error)) return true;
        if (error.GetCause() != FileError::Cause::AlreadyExists) return false;
    }
    return false;
}

// Removes, as it goes out of scope, the working files that were not handed
// over. Declared before the file objects so that they are closed first.
class WorkingFiles {
  public:
    WorkingFiles() = default;
    WorkingFiles(const WorkingFiles&) = delete;
    WorkingFiles& operator=(const WorkingFiles&) = delete;
    ~WorkingFiles() {
        for (const std::string& path : m_paths) BinaryFile::Remove(path.c_str());
    }
    void Add(const std::string& path) { m_paths.push_back(path); }
    void HandOver(const std::string& path) { std::erase(m_paths, path); }

  private:
    std::vector<std::string> m_paths;
};

void TraceCouldNotCreate(const std::string& path) {
    CExif::Trace(FormatString(
        "CExif::AudioEmbedFromExif() - Could not create temporary file \"%s\"", path.c_str()));
}

}  // namespace

bool CExif::AudioEmbedFromExif(std::string source, std::string folder) {
    const std::string& destination = m_strPath;
    Trace(FormatString("CExif::AudioEmbedFromExif() - \"%s\"", destination.c_str()));
    if (!IsExif(destination)) {
        Trace(FormatString("CExif::AudioEmbedFromExif() - \"%s\" is not an EXIF file",
                           destination.c_str()));
        return false;
    }
    if (!IsExif(source)) {
        Trace(FormatString("CExif::AudioEmbedFromExif() - \"%s\" is not an EXIF file",
                           source.c_str()));
        return false;
    }
    if (AudioPresent(destination)) {
        Trace(FormatString("CExif::AudioEmbedFromExif() - \"%s\" already contains audio",
                           destination.c_str()));
        return false;
    }
    if (!AudioPresent(source)) {
        Trace(
            FormatString("CExif::AudioEmbedFromExif() - \"%s\" contains no audio", source.c_str()));
        return false;
    }

    WorkingFiles made;
    FileError error;
    std::string markersPath;
    {
        // Claims a free name; AudioExtractMarkers then fills the file.
        BinaryFile claim;
        if (!CreateWorkingFile(folder, "AudioMarkers", ".dat", claim, markersPath, error)) {
            TraceFileError(error);
            TraceCouldNotCreate(markersPath);
            return false;
        }
        made.Add(markersPath);
    }
    if (!AudioExtractMarkers(source, markersPath)) {
        TraceCouldNotCreate(markersPath);
        return false;
    }

    BinaryFile output;
    std::string rebuildPath;
    if (!CreateWorkingFile(folder, "tmp", ".jpg", output, rebuildPath, error)) {
        TraceFileError(error);
        Trace("CExif::AudioEmbedFromExif() - false");
        return false;
    }
    made.Add(rebuildPath);
    BinaryFile input;
    if (!input.Open(destination.c_str(), Mode::ReadDenyWrite, &error)) {
        TraceFileError(error);
        Trace("CExif::AudioEmbedFromExif() - false");
        return false;
    }
    if (!CopyMarkersBeforeDQT(input, output)) {
        TraceCouldNotCreate(rebuildPath);
        return false;
    }
    // A rebuilt file without the whole APP2 run or the whole rest of the
    // picture must not take the photo's place.
    if (!AudioEmbedMarkers(output, markersPath) || !CopyRemainder(input, output)) {
        Trace("CExif::AudioEmbedFromExif() - false");
        return false;
    }
    output.Close();
    input.Close();

    if (!BinaryFile::Replace(rebuildPath.c_str(), destination.c_str())) {
        Trace(FormatString("CExif::AudioEmbedFromExif() - Could not replace \"%s\"",
                           destination.c_str()));
        Trace("CExif::AudioEmbedFromExif() - false");
        return false;
    }
    made.HandOver(rebuildPath);
    return true;
}

bool CExif::AudioExtractMarkers(const std::string& source, const std::string& markersPath) {
    const auto fail = [] {
        Trace("CExif::AudioExtractMarkers() - false");
        return false;
    };
    FileError error;
    BinaryFile input;
    if (!input.Open(source.c_str(), Mode::ReadDenyWrite, &error)) {
        TraceFileError(error);
        return fail();
    }
    BinaryFile output;
    if (!output.Open(markersPath.c_str(), Mode::CreateWriteDenyWrite, &error)) {
        TraceFileError(error);
        return fail();
    }
    uint8_t soi[2];
    if (!ReadBytes(input, soi, 2)) return fail();
    int length = 0;
    while (GetMarkerType(input) != APP2) {
        if (ReadAppMarker(input, length, 0) != kSuccess) return fail();
    }
    // A segment cut short would leave a markers file that swallows the
    // picture data following it in the rebuilt photo.
    while (GetMarkerType(input) == APP2) {
        if (!CopyMarker(input, output)) return fail();
    }
    input.Close();
    output.Close();
    return true;
}

bool CExif::AudioEmbedMarkers(BinaryFile& out, const std::string& markersPath) {
    BinaryFile markers;
    FileError error;
    if (!markers.Open(markersPath.c_str(), Mode::ReadDenyWrite, &error)) {
        TraceFileError(error);
        Trace("CExif::AudioEmbedMarkers() - false");
        return false;
    }
    if (!CopyRemainder(markers, out)) {
        Trace("CExif::AudioEmbedMarkers() - false");
        return false;
    }
    markers.Close();
    return true;
}

}  // namespace qx
