// Writes the seed inputs of exif_fuzz into SEEDS, and empties CORPUS, where
// libFuzzer keeps what it finds during one run.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "exif_fixtures.h"

using qx::test::Bytes;
using qx::test::operator+;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: exif_fuzz_seeds SEEDS CORPUS\n");
        return 2;
    }
    namespace fs = std::filesystem;
    namespace t = qx::test;
    fs::remove_all(argv[1]);
    fs::remove_all(argv[2]);
    fs::create_directories(argv[1]);
    fs::create_directories(argv[2]);

    const Bytes stream = t::StreamApp2(0xA1);
    const Bytes cutRun =
        t::Soi() + t::ExifApp1() + t::ContentsList(5) + Bytes(stream.begin(), stream.begin() + 10);
    const Bytes jfif = t::Soi() + t::JfifApp0() + t::PictureFromDqt();
    const struct {
        const char* name;
        Bytes source;
        Bytes photo;
    } seeds[] = {
        {"carry", t::PhotoWithAudio(), t::SavedPhoto()},
        {"carry-com", t::PhotoWithAudio(), t::SavedPhoto(t::Com("comment"))},
        {"two-entries", t::PhotoWithAudio(2), t::SavedPhoto()},
        {"has-audio", t::PhotoWithAudio(), t::PhotoWithAudio()},
        {"no-dqt", t::PhotoWithAudio(), t::Soi() + t::ExifApp1() + t::App13()},
        {"cut-run", cutRun, t::SavedPhoto()},
        {"jfif", jfif, jfif},
    };
    for (const auto& seed : seeds) {
        const Bytes input =
            t::Word(static_cast<uint16_t>(seed.source.size())) + seed.source + seed.photo;
        std::ofstream out(fs::path(argv[1]) / seed.name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(input.data()),
                  static_cast<std::streamsize>(input.size()));
    }
    return 0;
}
