// The EXIF header test.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "exif.h"
#include "exif_fixtures.h"

namespace qx {
namespace {

using test::Bytes;
using test::operator+;
using test::Text;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

TEST(ExifHeader, AnExifPhotoPassesWithEveryStepTraced) {
    test::TempFolder folder;
    const std::string path = folder.Write("photo.jpg", test::SavedPhoto());
    test::TraceCapture trace;
    EXPECT_EQ(CExif::ReadHeader(path), CExif::kSuccess);
    EXPECT_THAT(
        trace.Lines(),
        ElementsAre("CExif::ReadHeader(\"" + path + "\")", "<", "   0xFFD8 - Start Of Image (SOI)",
                    "   0xFFE1 - APP Marker 1 (Exif attribute info)",
                    "   0x32 - APP 1 Length (50 bytes)", "   \"Exif\" - EXIF ID code",
                    "   0x00 - NULL", "   0x00 - Padding", ">"));
}

TEST(ExifHeader, EveryWayOfFailingHasItsCodeAndLine) {
    const Bytes soiApp1 = {0xFF, 0xD8, 0xFF, 0xE1};
    struct Case {
        const char* what;
        Bytes bytes;
        int result;
        std::vector<std::string> lastLines;
    };
    const Case cases[] = {
        {"JFIF",
         test::Soi() + test::JfifApp0(),
         CExif::kWrongMarker,
         {"   0xFFE0 - Invalid EXIF file (expected 0xFFE1)", ">"}},
        {"PNG",
         {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A},
         CExif::kNotJpeg,
         {"   0x8950 - Invalid JPEG file (expected 0xFFD8)", ">"}},
        {"empty", {}, CExif::kUnexpectedEnd, {"<", "CExif::ReadBytes() - Unexpected EOF", ">"}},
        {"one byte",
         {0xFF},
         CExif::kUnexpectedEnd,
         {"<", "CExif::ReadBytes() - Unexpected EOF", ">"}},
        {"padding 01",
         soiApp1 + Bytes{0, 8} + Text("Exif") + Bytes{0, 1},
         CExif::kBadContent,
         {"   0x01 - NULL and padding not present (expected 0x00, 0x00)", ">"}},
        {"capital EXIF",
         soiApp1 + Bytes{0, 8} + Text("EXIF") + Bytes{0, 0},
         CExif::kBadContent,
         {"   0x45584946 - Invalid EXIF ID (expected \"Exif\")", ">"}},
        {"length 0",
         soiApp1 + Bytes{0, 0} + Text("Exif") + Bytes{0, 0},
         CExif::kSuccess,
         {"   0x00 - APP 1 Length (0 bytes)", "   \"Exif\" - EXIF ID code", "   0x00 - NULL",
          "   0x00 - Padding", ">"}},
        {"ends after Exif",
         soiApp1 + Bytes{0, 8} + Text("Exif"),
         CExif::kUnexpectedEnd,
         {"   \"Exif\" - EXIF ID code", "CExif::ReadBytes() - Unexpected EOF", ">"}},
        {"ends inside the identifier",
         soiApp1 + Bytes{0, 8} + Text("Ex"),
         CExif::kUnexpectedEnd,
         {"   0x08 - APP 1 Length (8 bytes)", "CExif::ReadBytes() - Unexpected EOF", ">"}},
    };
    test::TempFolder folder;
    test::TraceCapture trace;
    for (const Case& c : cases) {
        trace.Clear();
        const std::string path = folder.Write("photo.jpg", c.bytes);
        EXPECT_EQ(CExif::ReadHeader(path), c.result) << c.what;
        EXPECT_THAT(trace.Last(c.lastLines.size()), ElementsAreArray(c.lastLines)) << c.what;

        trace.Clear();
        EXPECT_EQ(CExif::IsExif(path), c.result == CExif::kSuccess) << c.what;
        EXPECT_EQ(trace.Lines().front(), "CExif::IsExif(\"" + path + "\")") << c.what;
        EXPECT_EQ(trace.Lines().back(), c.result == CExif::kSuccess ? "CExif::IsExif() - true"
                                                                    : "CExif::IsExif() - false")
            << c.what;
    }
}

TEST(ExifHeader, AFileThatCannotBeOpenedGivesMinusOne) {
    test::TempFolder folder;
    test::TraceCapture trace;
    const std::string missing = folder.PathOf("missing.jpg");
    EXPECT_EQ(CExif::ReadHeader(missing), CExif::kCannotOpen);
    ASSERT_EQ(trace.Lines().size(), 4u);
    EXPECT_THAT(trace.Lines()[2], HasSubstr("missing.jpg"));
    EXPECT_EQ(trace.Lines()[3], ">");

    // Somebody writing the photo denies the test its read.
    const std::string path = folder.Write("photo.jpg", test::SavedPhoto());
    BinaryFile writer;
    ASSERT_TRUE(writer.Open(path.c_str(), BinaryFile::Mode::CreateWriteDenyWrite));
    EXPECT_EQ(CExif::ReadHeader(path), CExif::kCannotOpen);
    writer.Close();
}

}  // namespace
}  // namespace qx
