// What each of the five modules must carry, written out independently of the
// resource scripts, so that a slip in either shows up.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace qx::test {

struct ModuleFacts {
    const char* name;
    unsigned descriptionId;
    const char* description;
    const char* commandName;
    const char* aboutTitle;
    unsigned iconId;
    std::map<unsigned, std::string> strings;  // every text of the string table
};

inline const ModuleFacts kModules[] = {
    {"email", 4, "Email selected photos", "Email Photos", "QX E-mail", 13,
     {{4, "Email selected photos"},
      {7, "Email Photos"},
      {10, "The QX Email Software is not installed, please reinstall the QX Imvara Software."}}},
    {"rotate", 10, "Rotate selected photos 90 degrees", "Rotate Photos", "QX Rotate", 22,
     {{7, "Rotate Photos"},
      {10, "Rotate selected photos 90 degrees"},
      {11, "File format '%s' is not supported."},
      {12, "Cannot save to '%s'. Make sure there is enough space on the disk and the disk is "
           "not write-protected."}}},
    {"web", 10, "Upload selected photos to web", "Web Upload", "QX Web", 13,
     {{7, "Web Upload"},
      {10, "Upload selected photos to web"},
      {11, "The QX Orbitto software is not installed, please reinstall the QX Imvara Software."}}},
    {"print", 4, "Print selected photos", "Print Photos", "QX Print", 9,
     {{4, "Print selected photos"},
      {7, "Print Photos"},
      {10, "The QX Photo Printing Software is not installed, please reinstall the QX Imvara "
           "Software."}}},
    {"swiftpage", 10, "Print selected photos 4 x 6 in", "Swiftpage", "QX Swiftpage", 10,
     {{7, "Swiftpage"},
      {10, "Print selected photos 4 x 6 in"},
      {11, "Unable to print image, file format may not be supported or memory could be low."},
      {13, "qx swiftpage"},
      {14, "qx swiftpage"},
      {15, "File format '%s' is not supported."},
      {17, "Manually changing the print orientation is not supported by the Swiftpage button."}}},
};

inline void PrintTo(const ModuleFacts& facts, std::ostream* out) { *out << facts.name; }

inline std::string ModuleTestName(const ::testing::TestParamInfo<ModuleFacts>& info) {
    return info.param.name;
}

}  // namespace qx::test
