#include "string_format.h"

#include <gtest/gtest.h>

#include <string>

namespace qx {
namespace {

TEST(FormatString, FormatsLikePrintf) {
    EXPECT_EQ(FormatString("   marker = 0x%04X  ", 0xFFD8u), "   marker = 0xFFD8  ");
    EXPECT_EQ(FormatString("0x%02X - %d bytes", 0x12u, 18), "0x12 - 18 bytes");
    EXPECT_EQ(FormatString("%s", ""), "");
}

TEST(FormatString, HoldsTextLongerThanAnyFixedBuffer) {
    const std::string path(5000, 'p');
    const std::string text = FormatString("CExif::IsExif(\"%s\")", path.c_str());
    EXPECT_EQ(text, "CExif::IsExif(\"" + path + "\")");
}

}  // namespace
}  // namespace qx
