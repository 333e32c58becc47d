#include "binary_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace qx {
namespace {

namespace fs = std::filesystem;
using Mode = BinaryFile::Mode;
using From = BinaryFile::SeekFrom;

class BinaryFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device random;
        m_dir = fs::temp_directory_path() /
                ("qx classlib " + std::to_string(random()) + "-" +
                 std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string PathOf(const std::string& name) const { return (m_dir / name).string(); }
    std::string Put(const std::string& name, const std::string& bytes) const {
        std::ofstream(PathOf(name), std::ios::binary) << bytes;
        return PathOf(name);
    }
    std::string Get(const std::string& name) const {
        std::ifstream in(PathOf(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path m_dir;
};

TEST_F(BinaryFileTest, FailedOpenFillsTheRecordAndRaisesNothing) {
    BinaryFile file;
    FileError error;
    EXPECT_FALSE(file.Open(PathOf("missing.jpg").c_str(), Mode::ReadDenyWrite, &error));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(error.GetCause(), FileError::Cause::FileNotFound);
    char text[1024];
    ASSERT_TRUE(error.GetErrorMessage(text, sizeof text));
    EXPECT_NE(std::string(text).find("missing.jpg"), std::string::npos) << text;
}

TEST_F(BinaryFileTest, MessageTextIsCutToTheBuffer) {
    const FileError error(FileError::Cause::BadPath, 2, std::string(3000, 'x'));
    char text[1024];
    std::memset(text, '#', sizeof text);
    ASSERT_TRUE(error.GetErrorMessage(text, sizeof text));
    EXPECT_EQ(std::strlen(text), 1023u);

    char none[8] = "garbage";
    EXPECT_FALSE(FileError().GetErrorMessage(none, sizeof none));
    EXPECT_STREQ(none, "");
}

TEST_F(BinaryFileTest, ReadsAreShortOnlyAtTheEndAndSeeksMoveThePosition) {
    const std::string path = Put("ten.bin", "0123456789");
    BinaryFile file;
    ASSERT_TRUE(file.Open(path.c_str(), Mode::ReadDenyWrite));
    char buffer[16] = {};
    EXPECT_EQ(file.Read(buffer, 4), 4u);
    EXPECT_EQ(std::string(buffer, 4), "0123");
    EXPECT_EQ(file.GetPosition(), 4u);
    EXPECT_EQ(file.Seek(2, From::Current), 6u);
    EXPECT_EQ(file.Read(buffer, 16), 4u);
    EXPECT_EQ(std::string(buffer, 4), "6789");
    EXPECT_EQ(file.Read(buffer, 1), 0u);
    EXPECT_EQ(file.Seek(-3, From::End), 7u);
    EXPECT_EQ(file.Seek(1, From::Begin), 1u);
    // Past the end is a position like any other; reading there gives nothing.
    EXPECT_EQ(file.Seek(70000, From::Begin), 70000u);
    EXPECT_EQ(file.Read(buffer, 2), 0u);
    EXPECT_EQ(file.GetPosition(), 70000u);
}

TEST_F(BinaryFileTest, FailuresAfterOpenRaiseFileErrors) {
    const std::string path = Put("ten.bin", "0123456789");
    BinaryFile reader;
    ASSERT_TRUE(reader.Open(path.c_str(), Mode::ReadDenyWrite));
    EXPECT_THROW(reader.Seek(-1, From::Begin), FileError);
    EXPECT_THROW(reader.Write("x", 1), FileError);

    BinaryFile writer;
    ASSERT_TRUE(writer.Open(PathOf("out.bin").c_str(), Mode::CreateWriteDenyWrite));
    char byte;
    EXPECT_THROW(writer.Read(&byte, 1), FileError);

    BinaryFile closed;
    EXPECT_THROW(closed.Read(&byte, 1), FileError);
}

TEST_F(BinaryFileTest, WritesReachTheFile) {
    BinaryFile file;
    ASSERT_TRUE(file.Open(PathOf("out.bin").c_str(), Mode::CreateWriteDenyWrite));
    file.Write("abc", 3);
    file.Flush();
    file.Write("de", 2);
    EXPECT_EQ(file.GetPosition(), 5u);
    file.Close();
    EXPECT_EQ(Get("out.bin"), "abcde");
}

TEST_F(BinaryFileTest, CreateEmptiesAFileButCreateNewLeavesItAlone) {
    const std::string path = Put("photo.jpg", "user bytes");
    BinaryFile file;
    FileError error;
    EXPECT_FALSE(file.Open(path.c_str(), Mode::CreateNewWriteDenyWrite, &error));
    EXPECT_EQ(error.GetCause(), FileError::Cause::AlreadyExists);
    EXPECT_EQ(Get("photo.jpg"), "user bytes");

    ASSERT_TRUE(file.Open(path.c_str(), Mode::CreateWriteDenyWrite));
    file.Close();
    EXPECT_EQ(Get("photo.jpg"), "");
}

TEST_F(BinaryFileTest, OpenersDenyEachOtherWriteAccess) {
    struct Case {
        Mode first;
        Mode second;
        bool secondOpens;
    };
    const Case cases[] = {
        {Mode::ReadDenyWrite, Mode::ReadDenyWrite, true},
        {Mode::ReadDenyWrite, Mode::CreateWriteDenyWrite, false},
        {Mode::CreateWriteDenyWrite, Mode::ReadDenyWrite, false},
        {Mode::CreateWriteDenyWrite, Mode::CreateWriteDenyWrite, false},
    };
    for (const Case& c : cases) {
        const std::string path = Put("shared.bin", "kept");
        BinaryFile first;
        ASSERT_TRUE(first.Open(path.c_str(), c.first));
        BinaryFile second;
        FileError error;
        EXPECT_EQ(second.Open(path.c_str(), c.second, &error), c.secondOpens)
            << static_cast<int>(c.first) << " then " << static_cast<int>(c.second);
        if (!c.secondOpens) {
            EXPECT_EQ(error.GetCause(), FileError::Cause::SharingViolation);
        }
        second.Close();
        first.Close();
        // Once the first opener is gone, the second gets its way.
        EXPECT_TRUE(second.Open(path.c_str(), c.second));
    }
}

TEST_F(BinaryFileTest, AWriterDeniedAccessDoesNotEmptyTheFile) {
    const std::string path = Put("photo.jpg", "user bytes");
    BinaryFile reader;
    ASSERT_TRUE(reader.Open(path.c_str(), Mode::ReadDenyWrite));
    BinaryFile writer;
    EXPECT_FALSE(writer.Open(path.c_str(), Mode::CreateWriteDenyWrite));
    reader.Close();
    EXPECT_EQ(Get("photo.jpg"), "user bytes");
}

TEST_F(BinaryFileTest, ReplaceSwapsInOneStepOrLeavesBothFiles) {
    const std::string photo = Put("photo.jpg", "old");
    const std::string rebuilt = Put("rebuilt.jpg", "new");
    {
        BinaryFile holder;
        ASSERT_TRUE(holder.Open(photo.c_str(), Mode::ReadDenyWrite));
        EXPECT_FALSE(BinaryFile::Replace(rebuilt.c_str(), photo.c_str()));
    }
    EXPECT_EQ(Get("photo.jpg"), "old");
    EXPECT_EQ(Get("rebuilt.jpg"), "new");

    EXPECT_TRUE(BinaryFile::Replace(rebuilt.c_str(), photo.c_str()));
    EXPECT_EQ(Get("photo.jpg"), "new");
    EXPECT_FALSE(fs::exists(rebuilt));

    EXPECT_TRUE(BinaryFile::Remove(photo.c_str()));
    EXPECT_FALSE(fs::exists(photo));
    EXPECT_FALSE(BinaryFile::Remove(photo.c_str()));
}

}  // namespace
}  // namespace qx
