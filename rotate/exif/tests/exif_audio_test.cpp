// The APP segment readers and the audio detection.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "exif.h"
#include "exif_fixtures.h"

namespace qx {
namespace {

using test::Bytes;
using test::operator+;
using test::Segment;
using test::Text;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class SegmentReaderTest : public ::testing::Test {
  protected:
    // Opens the bytes after a two-byte SOI, positioned at the segment.
    void OpenSegment(const Bytes& segment) {
        m_file.Close();
        m_trace.Clear();
        const std::string path = m_folder.Write("photo.jpg", test::Soi() + segment);
        ASSERT_TRUE(m_file.Open(path.c_str(), BinaryFile::Mode::ReadDenyWrite));
        m_file.Seek(2, BinaryFile::SeekFrom::Begin);
    }

    test::TempFolder m_folder;
    test::TraceCapture m_trace;
    BinaryFile m_file;
};

constexpr int kUntouched = -7;

TEST_F(SegmentReaderTest, ReadAppMarkerStepsOverAnAppSegment) {
    const Bytes app1 = test::ExifApp1();
    OpenSegment(app1 + test::PictureFromDqt());
    int length = kUntouched;
    EXPECT_EQ(CExif::ReadAppMarker(m_file, length, 0), CExif::kSuccess);
    EXPECT_EQ(length, 34);
    EXPECT_EQ(m_file.GetPosition(), 2 + app1.size());
    EXPECT_THAT(
        m_trace.Lines(),
        ElementsAre("CExif::ReadAppMarker()", "<", "   0xFFE1 - APP1 (Application-specific data)",
                    "   0x0022 - APP length (34 bytes)", "   \"Exif\" - APP ID Code", ">"));
}

TEST_F(SegmentReaderTest, ReadAppMarkerResults) {
    struct Case {
        const char* what;
        Bytes segment;
        int skip;
        int result;
        int length;
        uint32_t position;
        std::vector<std::string> lastLines;
    };
    const Case cases[] = {
        {"APP15",
         Segment(0xFFEF, Text("Ducky") + Bytes{0, 9, 9}),
         0,
         CExif::kSuccess,
         10,
         14,
         {"   0xFFEF - APP15 (Application-specific data)", "   0x000A - APP length (10 bytes)",
          "   \"Ducky\" - APP ID Code", ">"}},
        {"skip first",
         Bytes{0xAA, 0xBB} + Segment(0xFFE4, Text("X") + Bytes{0}),
         2,
         CExif::kSuccess,
         4,
         10,
         {"   \"X\" - APP ID Code", ">"}},
        {"DQT",
         test::PictureFromDqt(),
         0,
         CExif::kWrongMarker,
         kUntouched,
         2,
         {"   0xFFDB - invalid APP marker (expected 0xFFE0-0xFFEF)", ">"}},
        {"empty identifier",
         Segment(0xFFE4, Bytes{0, 1, 2}),
         0,
         CExif::kBadContent,
         5,
         2,
         {"   0x0005 - APP length (5 bytes)", "   No APP ID code", ">"}},
        {"cut in the length",
         Bytes{0xFF, 0xE1, 0x00},
         0,
         CExif::kUnexpectedEnd,
         kUntouched,
         2,
         {"   0xFFE1 - APP1 (Application-specific data)", "CExif::ReadBytes() - Unexpected EOF",
          ">"}},
        {"at the end",
         Bytes{},
         0,
         CExif::kUnexpectedEnd,
         kUntouched,
         2,
         {"<", "CExif::ReadBytes() - Unexpected EOF", ">"}},
        // The identifier runs to the end of the file; the segment's declared end lies beyond it.
        {"identifier to the end",
         Bytes{0xFF, 0xE1, 0x00, 0x10, 'E', 'x'},
         0,
         CExif::kSuccess,
         16,
         20,
         {"CExif::ReadBytes() - Unexpected EOF", "   \"Ex\" - APP ID Code", ">"}},
    };
    for (const Case& c : cases) {
        OpenSegment(c.segment);
        int length = kUntouched;
        EXPECT_EQ(CExif::ReadAppMarker(m_file, length, c.skip), c.result) << c.what;
        EXPECT_EQ(length, c.length) << c.what;
        EXPECT_EQ(m_file.GetPosition(), c.position) << c.what;
        EXPECT_THAT(m_trace.Last(c.lastLines.size()), ElementsAreArray(c.lastLines)) << c.what;
    }
}

TEST_F(SegmentReaderTest, ReadMarkerReadyContentsListReadsTheHeadOfTheList) {
    const Bytes list = test::ContentsList(5);
    OpenSegment(list + test::StreamApp2(1));
    int count = kUntouched;
    EXPECT_EQ(CExif::ReadMarkerReadyContentsList(m_file, count), CExif::kSuccess);
    EXPECT_EQ(count, 5);
    EXPECT_EQ(m_file.GetPosition(), 2 + list.size());
    EXPECT_THAT(m_trace.Lines(),
                ElementsAre("CExif::ReadMarkerReadyContentsList()", "<",
                            "   0xFFE2 - APP2 (Application-specific data)",
                            "   0x0029 - APP length (41 bytes)", "   \"FPXR\" - APP ID Code",
                            "   0x00 - Version", "   0x01 - Contents List",
                            "   0x0005 - Number of entries", ">"));
}

TEST_F(SegmentReaderTest, ReadMarkerReadyContentsListResults) {
    struct Case {
        const char* what;
        Bytes segment;
        int result;
        int count;
        std::vector<std::string> lastLines;
    };
    const Case cases[] = {
        {"2 entries",
         test::ContentsList(2),
         CExif::kSuccess,
         2,
         {"   0x0002 - Number of entries", ">"}},
        {"3 entries",
         test::ContentsList(3),
         CExif::kBadContent,
         0,
         {"   0x0003 - Invalid entry count (expected 0x0002 or 0x0005)", ">"}},
        {"version 1",
         test::ContentsList(5, 1),
         CExif::kBadContent,
         0,
         {"   0x01 - Version not present (expected 0x00)", ">"}},
        {"type 2",
         test::ContentsList(5, 0, 2),
         CExif::kBadContent,
         0,
         {"   0x00 - Version", "   0x02 - No Contents List (expected 0x01)", ">"}},
        {"another identifier",
         test::ContentsList(5, 0, 1, "Other"),
         CExif::kSuccess,
         5,
         {"   0x0005 - Number of entries", ">"}},
        {"empty identifier",
         Segment(0xFFE2, Bytes{0, 0, 1, 0, 5}),
         CExif::kBadContent,
         0,
         {"   No APP ID code", ">"}},
        {"APP1",
         test::ExifApp1(),
         CExif::kWrongMarker,
         0,
         {"<", "   0xFFE1 - invalid APP marker (expected 0xFFE2)", ">"}},
        {"cut in the count",
         Bytes{0xFF, 0xE2, 0, 16} + Text("FPXR") + Bytes{0, 0, 1, 0},
         CExif::kUnexpectedEnd,
         0,
         {"   0x01 - Contents List", "CExif::ReadBytes() - Unexpected EOF", ">"}},
    };
    for (const Case& c : cases) {
        OpenSegment(c.segment);
        int count = kUntouched;
        EXPECT_EQ(CExif::ReadMarkerReadyContentsList(m_file, count), c.result) << c.what;
        EXPECT_EQ(count, c.count) << c.what;
        const uint32_t after = static_cast<uint32_t>(2 + c.segment.size());
        EXPECT_EQ(m_file.GetPosition(), c.result == CExif::kSuccess ? after : 2u) << c.what;
        EXPECT_THAT(m_trace.Last(c.lastLines.size()), ElementsAreArray(c.lastLines)) << c.what;
    }
}

TEST(AudioPresent, FindsTheContentsListOfFiveEntriesRightAfterApp1) {
    const Bytes head = test::Soi() + test::ExifApp1();
    const std::string unexpected = "CExif::AudioPresent() - unexpected marker";
    const std::string isFalse = "CExif::AudioPresent() - false";
    struct Case {
        const char* what;
        Bytes bytes;
        bool audio;
        std::vector<std::string> lastLines;
    };
    const Case cases[] = {
        {"audio",
         test::PhotoWithAudio(),
         true,
         {"   0x0005 - Number of entries", ">", "CExif::AudioPresent() - true"}},
        {"2 entries",
         test::PhotoWithAudio(2),
         false,
         {"   0x0002 - Number of entries", ">", isFalse}},
        {"3 entries",
         test::PhotoWithAudio(3),
         false,
         {"   0x0003 - Invalid entry count (expected 0x0002 or 0x0005)", ">", isFalse}},
        {"JFIF",
         test::Soi() + test::JfifApp0() + test::PictureFromDqt(),
         false,
         {"CExif::IsExif() - false", isFalse}},
        {"APP4 between",
         head + Segment(0xFFE4, Text("Ducky") + Bytes{0}) + test::AudioRun(),
         false,
         {"   marker = 0xFFE4  APP4 - Application-specific data", ">", unexpected, isFalse}},
        {"no APP2",
         test::SavedPhoto(),
         false,
         {"   marker = 0xFFDB  DQT - Define quantization tables", ">", unexpected, isFalse}},
        {"empty identifier",
         head + Segment(0xFFE2, Bytes{0, 0, 1, 0, 5}),
         false,
         {"   No APP ID code", ">", isFalse}},
        {"version 1",
         head + test::ContentsList(5, 1),
         false,
         {"   0x01 - Version not present (expected 0x00)", ">", isFalse}},
        {"type 2",
         head + test::ContentsList(5, 0, 2),
         false,
         {"   0x02 - No Contents List (expected 0x01)", ">", isFalse}},
        {"another identifier",
         head + test::ContentsList(5, 0, 1, "Sound") + test::PictureFromDqt(),
         true,
         {"CExif::AudioPresent() - true"}},
        {"cut inside APP1",
         Bytes(head.begin(), head.begin() + 20),
         false,
         {"CExif::ReadBytes() - Unexpected EOF", ">", unexpected, isFalse}},
    };
    test::TempFolder folder;
    test::TraceCapture trace;
    for (const Case& c : cases) {
        trace.Clear();
        const std::string path = folder.Write("photo.jpg", c.bytes);
        EXPECT_EQ(CExif::AudioPresent(path), c.audio) << c.what;
        EXPECT_THAT(trace.Last(c.lastLines.size()), ElementsAreArray(c.lastLines)) << c.what;
        EXPECT_EQ(trace.Lines().front(), "CExif::AudioPresent(\"" + path + "\")") << c.what;
    }
}

TEST(AudioPresent, ANonExifPhotoIsNotOpenedASecondTime) {
    test::TempFolder folder;
    const std::string path = folder.Write("photo.jpg", test::Soi() + test::JfifApp0());
    test::TraceCapture trace;
    EXPECT_FALSE(CExif::AudioPresent(path));
    const auto lines = trace.Lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "<"), 1);
    EXPECT_FALSE(trace.Holds("Expecting Start of Image"));
}

TEST(AudioPresent, EachExpectationOpensWithAnEmptyLine) {
    test::TempFolder folder;
    const std::string path = folder.Write("photo.jpg", test::PhotoWithAudio());
    test::TraceCapture trace;
    ASSERT_TRUE(CExif::AudioPresent(path));
    std::vector<std::string> expectations;
    const auto lines = trace.Lines();
    for (size_t i = 1; i < lines.size(); ++i) {
        if (lines[i - 1].empty()) expectations.push_back(lines[i]);
    }
    EXPECT_THAT(expectations,
                ElementsAre("Expecting Start of Image", "Expecting Exif Attribute Info",
                            "Expecting FlashPix Ready Contents List"));
}

}  // namespace
}  // namespace qx
