// The audio carry-over, end to end on files in a scratch folder.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <sys/resource.h>

#include <csignal>
#endif

#include "exif.h"
#include "exif_fixtures.h"

namespace qx {
namespace {

using test::Bytes;
using test::operator+;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

class CarryOverTest : public ::testing::Test {
  protected:
    // The untouched copy and the photo as the toolkit saved it.
    void Prepare(const Bytes& source, const Bytes& saved,
                 const std::string& photoName = "photo.jpg") {
        m_source = m_folder.Write("copy.jpg", source);
        m_photoName = photoName;
        m_photo = m_folder.Write(photoName, saved);
        m_saved = saved;
    }
    bool Embed() { return CExif(m_photo).AudioEmbedFromExif(m_source, m_folder.Folder()); }
    Bytes Photo() const { return m_folder.Read(m_photoName); }
    // Nothing but what the test put there is left in the folder.
    void ExpectNoWorkingFiles(const std::vector<std::string>& others = {}) const {
        std::vector<std::string> expected = {"copy.jpg", m_photoName};
        expected.insert(expected.end(), others.begin(), others.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(m_folder.Names(), expected);
    }
    void ExpectPhotoUnchanged() const { EXPECT_EQ(Photo(), m_saved); }

    test::TempFolder m_folder;
    test::TraceCapture m_trace;
    std::string m_source;
    std::string m_photo;
    std::string m_photoName;
    Bytes m_saved;
};

TEST_F(CarryOverTest, TheApp2RunIsExtractedByteForByteUpToTheNextSegment) {
    // After the run: an APP13, which is not carried, or straight the DQT.
    for (const Bytes& afterRun : {test::App13(), Bytes{}}) {
        Prepare(test::PhotoWithAudio(5, afterRun), test::SavedPhoto());
        const std::string markers = m_folder.PathOf("markers.dat");
        EXPECT_TRUE(CExif::AudioExtractMarkers(m_source, markers));
        EXPECT_EQ(m_folder.Read("markers.dat"), test::AudioRun()) << afterRun.size();
    }
}

TEST_F(CarryOverTest, TheRunGoesRightBeforeTheFirstDqtOfThePhoto) {
    struct Case {
        const char* what;
        Bytes beforeDqt;
    };
    const Case cases[] = {
        {"APP1 only", {}},
        {"APP1 and COM", test::Com("rotated by the toolkit")},
    };
    for (const Case& c : cases) {
        Prepare(test::PhotoWithAudio(), test::SavedPhoto(c.beforeDqt));
        EXPECT_TRUE(Embed()) << c.what;
        const Bytes expected = test::Soi() + test::ExifApp1(40) + c.beforeDqt + test::AudioRun() +
                               test::PictureFromDqt();
        EXPECT_EQ(Photo(), expected) << c.what;
        EXPECT_EQ(Photo().size(), m_saved.size() + test::AudioRun().size()) << c.what;
        ExpectNoWorkingFiles();
    }
}

TEST_F(CarryOverTest, RefusalsLeaveThePhotoAndMakeNoWorkingFile) {
    const Bytes jfif = test::Soi() + test::JfifApp0() + test::PictureFromDqt();
    struct Case {
        const char* what;
        Bytes source;
        Bytes saved;
        std::string lastLine;  // %s stands for the photo, @ for the copy
    };
    const Case cases[] = {
        {"photo not EXIF", test::PhotoWithAudio(), jfif, "\"%\" is not an EXIF file"},
        {"copy not EXIF", jfif, test::SavedPhoto(), "\"@\" is not an EXIF file"},
        {"photo has audio", test::PhotoWithAudio(), test::PhotoWithAudio(),
         "\"%\" already contains audio"},
        {"copy without audio", test::PhotoWithAudio(2), test::SavedPhoto(),
         "\"@\" contains no audio"},
    };
    for (const Case& c : cases) {
        m_trace.Clear();
        Prepare(c.source, c.saved);
        EXPECT_FALSE(Embed()) << c.what;
        ExpectPhotoUnchanged();
        ExpectNoWorkingFiles();
        std::string line = "CExif::AudioEmbedFromExif() - " + c.lastLine;
        if (const auto at = line.find('%'); at != std::string::npos) line.replace(at, 1, m_photo);
        if (const auto at = line.find('@'); at != std::string::npos) line.replace(at, 1, m_source);
        EXPECT_EQ(m_trace.Lines().back(), line) << c.what;
    }
}

// Whatever the photo is called and whatever lies beside it, the carry-over
// writes only under names that were free, and removes what it wrote.
TEST_F(CarryOverTest, FilesOfTheWorkingFileNamesSurvive) {
    const Bytes userFile = test::Text("the user's own bytes");
    struct Case {
        const char* photoName;
        std::vector<std::string> besides;
    };
    const Case cases[] = {
        {"photo.jpg", {"tmp.jpg", "AudioMarkers.dat", "tmp1.jpg"}},
        {"tmp.jpg", {}},
        {"AudioMarkers.dat", {}},
        {"TMP.JPG", {"audiomarkers.DAT"}},
    };
    for (const Case& c : cases) {
        for (const std::string& name : m_folder.Names()) {
            std::filesystem::remove(m_folder.PathOf(name));
        }
        for (const std::string& name : c.besides) m_folder.Write(name, userFile);
        Prepare(test::PhotoWithAudio(), test::SavedPhoto(), c.photoName);
        EXPECT_TRUE(Embed()) << c.photoName;
        EXPECT_EQ(Photo(),
                  test::Soi() + test::ExifApp1(40) + test::AudioRun() + test::PictureFromDqt())
            << c.photoName;
        for (const std::string& name : c.besides) {
            EXPECT_EQ(m_folder.Read(name), userFile) << c.photoName << ": " << name;
        }
        ExpectNoWorkingFiles(c.besides);
    }
}

TEST_F(CarryOverTest, APhotoWithoutDqtIsLeftAsItWas) {
    Prepare(test::PhotoWithAudio(), test::Soi() + test::ExifApp1(40) + test::App13());
    EXPECT_FALSE(Embed());
    ExpectPhotoUnchanged();
    ExpectNoWorkingFiles();
    EXPECT_EQ(m_trace.Lines().back(),
              "CExif::AudioEmbedFromExif() - Could not create temporary file \"" +
                  m_folder.PathOf("tmp.jpg") + "\"");
}

TEST_F(CarryOverTest, ACopyWhoseAudioIsCutShortChangesNothing) {
    const Bytes stream = test::StreamApp2(0xA1);
    const Bytes cut = test::Soi() + test::ExifApp1() + test::ContentsList(5) +
                      Bytes(stream.begin(), stream.begin() + 10);
    Prepare(cut, test::SavedPhoto());
    EXPECT_FALSE(Embed());
    ExpectPhotoUnchanged();
    ExpectNoWorkingFiles();
    EXPECT_THAT(m_trace.Last(2),
                ElementsAre("CExif::AudioExtractMarkers() - false",
                            "CExif::AudioEmbedFromExif() - Could not create temporary file \"" +
                                m_folder.PathOf("AudioMarkers.dat") + "\""));
}

TEST_F(CarryOverTest, APhotoThatCannotBeReplacedStaysAsItWas) {
    Prepare(test::PhotoWithAudio(), test::SavedPhoto());
    BinaryFile viewer;  // somebody else has the photo open
    ASSERT_TRUE(viewer.Open(m_photo.c_str(), BinaryFile::Mode::ReadDenyWrite));
    EXPECT_FALSE(Embed());
    viewer.Close();
    ExpectPhotoUnchanged();
    ExpectNoWorkingFiles();
    EXPECT_THAT(m_trace.Last(2),
                ElementsAre("CExif::AudioEmbedFromExif() - Could not replace \"" + m_photo + "\"",
                            "CExif::AudioEmbedFromExif() - false"));
}

TEST_F(CarryOverTest, AFolderWhereNothingCanBeMadeChangesNothing) {
    Prepare(test::PhotoWithAudio(), test::SavedPhoto());
    const std::string nowhere = m_folder.PathOf("no such folder");
    EXPECT_FALSE(CExif(m_photo).AudioEmbedFromExif(m_source, nowhere));
    ExpectPhotoUnchanged();
    ExpectNoWorkingFiles();
    EXPECT_THAT(m_trace.Lines().back(), HasSubstr("Could not create temporary file"));
}

#if !defined(_WIN32)
// Lowers the largest file this process may write, so that the disk seems to
// fill up at a chosen byte of the carry-over.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit lowered = m_saved;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }

  private:
    rlimit m_saved{};
};

TEST_F(CarryOverTest, ADiskThatFillsUpAtAnyStepLeavesThePhotoAsItWas) {
    // The markers file holds 403 bytes; the rebuilt photo 2 + 52 before them
    // and 100000 after them.
    ASSERT_EQ(test::AudioRun().size(), 403u);
    struct Case {
        const char* where;
        rlim_t limit;
    };
    const Case cases[] = {
        {"first byte of the markers file", 0},
        {"inside the markers file", 100},
        {"while the run goes into the rebuilt photo", 450},
        {"while the rest of the picture is copied", 40000},
    };
    for (const Case& c : cases) {
        Prepare(test::PhotoWithAudio(), test::SavedPhoto({}, 100000));
        bool embedded = true;
        try {
            FileSizeLimit limit(c.limit);
            embedded = Embed();
        } catch (const FileError&) {
            // A write error outside the guarded copies reaches the caller.
            embedded = false;
        }
        EXPECT_FALSE(embedded) << c.where;
        ExpectPhotoUnchanged();
        ExpectNoWorkingFiles();
    }
}
#endif

TEST_F(CarryOverTest, EmbedMarkersWithoutAMarkersFileWritesNothing) {
    BinaryFile out;
    ASSERT_TRUE(
        out.Open(m_folder.PathOf("out.jpg").c_str(), BinaryFile::Mode::CreateWriteDenyWrite));
    EXPECT_FALSE(CExif::AudioEmbedMarkers(out, m_folder.PathOf("AudioMarkers.dat")));
    out.Close();
    EXPECT_TRUE(m_folder.Read("out.jpg").empty());
    const auto lines = m_trace.Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_THAT(lines[0], HasSubstr("AudioMarkers.dat"));
    EXPECT_EQ(lines[1], "CExif::AudioEmbedMarkers() - false");
}

}  // namespace
}  // namespace qx
