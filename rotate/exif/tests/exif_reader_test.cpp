// Reading, peeking and copying segments.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "exif.h"
#include "exif_fixtures.h"

namespace qx {
namespace {

using test::Bytes;
using test::operator+;
using test::Segment;
using test::Word;
using ::testing::ElementsAre;
using Mode = BinaryFile::Mode;

class ExifReaderTest : public ::testing::Test {
  protected:
    // Opens bytes as the input, positioned at offset.
    void OpenInput(const Bytes& bytes, uint32_t offset = 0) {
        const std::string path = m_folder.Write("in.jpg", bytes);
        ASSERT_TRUE(m_in.Open(path.c_str(), Mode::ReadDenyWrite));
        m_in.Seek(offset, BinaryFile::SeekFrom::Begin);
    }
    void OpenOutput() {
        ASSERT_TRUE(m_out.Open(m_folder.PathOf("out.jpg").c_str(), Mode::CreateWriteDenyWrite));
    }
    Bytes Output() {
        m_out.Close();
        return m_folder.Read("out.jpg");
    }

    test::TempFolder m_folder;
    test::TraceCapture m_trace;
    BinaryFile m_in;
    BinaryFile m_out;
};

TEST_F(ExifReaderTest, ReadBytesIsShortOnlyAtTheEndAndLeavesThePositionThere) {
    OpenInput({1, 2, 3});
    uint8_t buffer[4];
    EXPECT_TRUE(CExif::ReadBytes(m_in, buffer, 2));
    EXPECT_TRUE(m_trace.Lines().empty());
    EXPECT_FALSE(CExif::ReadBytes(m_in, buffer, 2));
    EXPECT_EQ(m_in.GetPosition(), 3u);
    EXPECT_FALSE(CExif::ReadBytes(m_in, buffer, 1));
    EXPECT_EQ(m_in.GetPosition(), 3u);
    EXPECT_THAT(m_trace.Lines(), ElementsAre("CExif::ReadBytes() - Unexpected EOF",
                                             "CExif::ReadBytes() - Unexpected EOF"));
}

TEST_F(ExifReaderTest, GetMarkerTypeKnowsEveryKindAndOnlyPeeks) {
    struct Case {
        uint16_t code;
        CExif::MarkerType kind;
        const char* markerLine;
    };
    const Case cases[] = {
        {0xFFD8, CExif::SOI, "   marker = 0xFFD8  SOI - Start of image"},
        {0xFFE0, CExif::APP0, "   marker = 0xFFE0  APP0 - Application-specific data"},
        {0xFFE1, CExif::APP1, "   marker = 0xFFE1  APP1 - Application-specific data"},
        {0xFFE2, CExif::APP2, "   marker = 0xFFE2  APP2 - Application-specific data"},
        {0xFFE9, CExif::APP9, "   marker = 0xFFE9  APP9 - Application-specific data"},
        {0xFFED, CExif::APP13, "   marker = 0xFFED  APP13 - Application-specific data"},
        {0xFFEF, CExif::APP15, "   marker = 0xFFEF  APP15 - Application-specific data"},
        {0xFFFE, CExif::COM, "   marker = 0xFFFE  COM - Comment"},
        {0xFFDB, CExif::DQT, "   marker = 0xFFDB  DQT - Define quantization tables"},
        {0xFFD9, CExif::UNKNOWN, "   marker = 0xFFD9  UNKNOWN marker"},
        {0xFFDA, CExif::UNKNOWN, "   marker = 0xFFDA  UNKNOWN marker"},
        {0xFFC0, CExif::UNKNOWN, "   marker = 0xFFC0  UNKNOWN marker"},
        {0xFFF0, CExif::UNKNOWN, "   marker = 0xFFF0  UNKNOWN marker"},
        {0x4578, CExif::UNKNOWN, "   marker = 0x4578  UNKNOWN marker"},
    };
    for (const Case& c : cases) {
        m_in.Close();
        m_trace.Clear();
        OpenInput(Bytes{0, 0, 0} + Word(c.code) + Bytes{0, 2}, 3);
        EXPECT_EQ(CExif::GetMarkerType(m_in), c.kind) << c.markerLine;
        EXPECT_EQ(CExif::GetMarkerType(m_in), c.kind) << c.markerLine;
        EXPECT_EQ(m_in.GetPosition(), 3u);
        EXPECT_THAT(m_trace.Last(5),
                    ElementsAre("CExif::GetMarkerType()", "<", "   pos = 0x3", c.markerLine, ">"));
    }
    static_assert(CExif::APP9 == 10 && CExif::APP15 == 16 && CExif::UNKNOWN == 19);
}

TEST_F(ExifReaderTest, GetMarkerTypeAtTheEndIsUnknownAndLeavesThePosition) {
    OpenInput({0xFF, 0xD8, 0xFF}, 2);
    EXPECT_EQ(CExif::GetMarkerType(m_in), CExif::UNKNOWN);
    EXPECT_EQ(m_in.GetPosition(), 2u);
    EXPECT_THAT(m_trace.Lines(), ElementsAre("CExif::GetMarkerType()", "<", "   pos = 0x2",
                                             "CExif::ReadBytes() - Unexpected EOF", ">"));
}

TEST_F(ExifReaderTest, CopyMarkerCopiesOneSegmentWhateverItsLength) {
    const Bytes next = Word(0xFFDB);
    struct Case {
        uint16_t length;
        size_t copied;
    };
    // Lengths below 2 have no payload; 65535 takes two reads, 32768 and 32765.
    const Case cases[] = {{0, 4}, {1, 4}, {2, 4}, {3, 5}, {32770, 32772}, {65535, 65537}};
    for (const Case& c : cases) {
        m_in.Close();
        const Bytes segment = Word(0xFFE2) + Word(c.length) +
                              test::Filler(c.copied - 4, static_cast<uint8_t>(c.length));
        OpenInput(segment + next);
        OpenOutput();
        EXPECT_TRUE(CExif::CopyMarker(m_in, m_out)) << c.length;
        EXPECT_EQ(m_in.GetPosition(), c.copied) << c.length;
        EXPECT_EQ(Output(), segment) << c.length;
    }
}

TEST_F(ExifReaderTest, CopyMarkerCutShortKeepsTheHeaderAndTheWholeChunksWritten) {
    // 40000 payload bytes declared, 32768 + 100 there: one whole chunk, then a short read.
    const Bytes present = Word(0xFFE2) + Word(40002) + test::Filler(32868, 3);
    OpenInput(present);
    OpenOutput();
    EXPECT_FALSE(CExif::CopyMarker(m_in, m_out));
    EXPECT_EQ(Output(), Bytes(present.begin(), present.begin() + 4 + 32768));
}

TEST_F(ExifReaderTest, CopyMarkerCutInsideTheLengthFails) {
    OpenInput({0xFF, 0xE2, 0x00});
    OpenOutput();
    EXPECT_FALSE(CExif::CopyMarker(m_in, m_out));
    EXPECT_EQ(Output(), (Bytes{0xFF, 0xE2}));
}

TEST_F(ExifReaderTest, CopyMarkersBeforeDqtCopiesTheHeadAndStopsAtTheDqt) {
    const Bytes head = test::ExifApp1() + test::Com("made by a camera");
    OpenInput(test::Soi() + head + test::PictureFromDqt());
    OpenOutput();
    EXPECT_TRUE(CExif::CopyMarkersBeforeDQT(m_in, m_out));
    EXPECT_EQ(m_in.GetPosition(), 2 + head.size());
    EXPECT_EQ(Output(), test::Soi() + head);
}

TEST_F(ExifReaderTest, CopyMarkersBeforeDqtWithTheDqtFirstWritesOnlySoi) {
    OpenInput(test::Soi() + test::PictureFromDqt());
    OpenOutput();
    EXPECT_TRUE(CExif::CopyMarkersBeforeDQT(m_in, m_out));
    EXPECT_EQ(m_in.GetPosition(), 2u);
    EXPECT_EQ(Output(), test::Soi());
}

TEST_F(ExifReaderTest, CopyMarkersBeforeDqtWithoutAnyDqtFailsAtTheEnd) {
    const Bytes head = test::ExifApp1() + test::App13();
    OpenInput(test::Soi() + head);
    OpenOutput();
    EXPECT_FALSE(CExif::CopyMarkersBeforeDQT(m_in, m_out));
    EXPECT_EQ(Output(), test::Soi() + head);
    EXPECT_EQ(m_trace.Last(2),
              (std::vector<std::string>{">", "CExif::ReadBytes() - Unexpected EOF"}));
}

TEST_F(ExifReaderTest, CopyRemainderCopiesToTheEnd) {
    const Bytes bytes = test::Filler(70000, 9);
    OpenInput(bytes, 5);
    OpenOutput();
    EXPECT_TRUE(CExif::CopyRemainder(m_in, m_out));
    EXPECT_EQ(Output(), Bytes(bytes.begin() + 5, bytes.end()));

    m_in.Seek(0, BinaryFile::SeekFrom::End);
    ASSERT_TRUE(m_out.Open(m_folder.PathOf("out.jpg").c_str(), Mode::CreateWriteDenyWrite));
    EXPECT_TRUE(CExif::CopyRemainder(m_in, m_out));
    EXPECT_TRUE(Output().empty());
}

// A file error is caught where a copy can report false, and nowhere else: an
// output that cannot be written fails the payload of CopyRemainder quietly,
// but the unguarded header bytes of CopyMarker let the error through.
TEST_F(ExifReaderTest, WriteErrorsFailCopyRemainderButEscapeTheHeaderOfCopyMarker) {
    OpenInput(Segment(0xFFE2, test::Filler(10, 1)));
    BinaryFile readOnly;
    ASSERT_TRUE(readOnly.Open(m_folder.Write("ro.jpg", {1}).c_str(), Mode::ReadDenyWrite));
    EXPECT_FALSE(CExif::CopyRemainder(m_in, readOnly));
    m_in.Seek(0, BinaryFile::SeekFrom::Begin);
    EXPECT_THROW(CExif::CopyMarker(m_in, readOnly), FileError);
}

TEST(ExifTrace, WithoutAListTracingDoesNothing) {
    ASSERT_EQ(g_pTraceList, nullptr);
    CExif::Trace("dropped");
    test::TraceCapture capture;
    CExif::Trace("kept");
    EXPECT_THAT(capture.Lines(), ElementsAre("kept"));
}

}  // namespace
}  // namespace qx
