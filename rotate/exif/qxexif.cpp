// qxexif: runs one CExif operation on files and prints its trace. The rotate
// module never attaches a trace list; this tool is where the lines are seen.
//
//   qxexif header FILE                  the EXIF header test
//   qxexif audio FILE                   the audio detection
//   qxexif embed SOURCE DESTINATION     the audio carry-over into DESTINATION,
//                                       with its working files beside it
//
// Exit status: 0 when the operation gives true, 1 when it gives false, 2 for
// a wrong command line, 3 when a file error reached the tool.
#include <cstdio>
#include <cstring>
#include <string>

#include "exif.h"

namespace {

std::string FolderOf(const std::string& path) {
#if defined(_WIN32)
    const size_t end = path.find_last_of("\\/:");
#else
    const size_t end = path.find_last_of('/');
#endif
    return end == std::string::npos ? std::string() : path.substr(0, end + 1);
}

int Usage() {
    std::fprintf(stderr,
                 "usage: qxexif header FILE\n"
                 "       qxexif audio FILE\n"
                 "       qxexif embed SOURCE DESTINATION\n");
    return 2;
}

void Print(const qx::TraceList& lines) {
    for (const std::string& line : lines) std::printf("%s\n", line.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const std::string command = argv[1];
    qx::TraceList lines;
    qx::g_pTraceList = &lines;
    bool result = false;
    const char* operation = nullptr;
    try {
        if (command == "header" && argc == 3) {
            operation = "IsExif";
            result = qx::CExif::IsExif(argv[2]);
        } else if (command == "audio" && argc == 3) {
            operation = "AudioPresent";
            result = qx::CExif::AudioPresent(argv[2]);
        } else if (command == "embed" && argc == 4) {
            operation = "AudioEmbedFromExif";
            result = qx::CExif(argv[3]).AudioEmbedFromExif(argv[2], FolderOf(argv[3]));
        } else {
            qx::g_pTraceList = nullptr;
            return Usage();
        }
    } catch (const qx::FileError& error) {
        qx::g_pTraceList = nullptr;
        Print(lines);
        std::printf("file error: %s\n", error.what());
        return 3;
    }
    qx::g_pTraceList = nullptr;
    Print(lines);
    std::printf("%s: %s\n", operation, result ? "true" : "false");
    return result ? 0 : 1;
}
