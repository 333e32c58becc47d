// The records the host and a plug-in exchange. Their byte layout is the host
// interface: every offset below is fixed, and the compiler is made to agree.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qx {

// The host is 32-bit, and so is every product module. The test lane also
// builds these sources for x86_64 (to run them where no 32-bit code runs);
// there the two records that hold pointers take their natural 64-bit layout
// and only the pointer-free offsets are held to the host's.
#if defined(_WIN64)
#define QX_HOST_LAYOUT(check) static_assert(true)
#else
#define QX_HOST_LAYOUT(check) static_assert(check)
#endif

struct CommandInfo {
    uint32_t commandWordA;
    uint32_t commandWordB;
    char fileTypes[16][4];
    char descriptionA[40];
    char descriptionB[40];
    char descriptionLong[80];
    uint32_t commandWordC;
    char commandName[40];
};
static_assert(offsetof(CommandInfo, commandWordA) == 0);
static_assert(offsetof(CommandInfo, commandWordB) == 4);
static_assert(offsetof(CommandInfo, fileTypes) == 8);
static_assert(offsetof(CommandInfo, descriptionA) == 72);
static_assert(offsetof(CommandInfo, descriptionB) == 112);
static_assert(offsetof(CommandInfo, descriptionLong) == 152);
static_assert(offsetof(CommandInfo, commandWordC) == 232);
static_assert(offsetof(CommandInfo, commandName) == 236);
static_assert(sizeof(CommandInfo) == 276);

struct PlugInInfo {
    uint32_t infoWordA;
    uint32_t infoWordB;
    char description[40];
    uint32_t infoWordC;
    uint32_t infoWordD;
    CommandInfo* commandInfo;
};
static_assert(offsetof(PlugInInfo, infoWordA) == 0);
static_assert(offsetof(PlugInInfo, infoWordB) == 4);
static_assert(offsetof(PlugInInfo, description) == 8);
static_assert(offsetof(PlugInInfo, infoWordC) == 48);
static_assert(offsetof(PlugInInfo, infoWordD) == 52);
QX_HOST_LAYOUT(offsetof(PlugInInfo, commandInfo) == 56);
QX_HOST_LAYOUT(sizeof(PlugInInfo) == 60);

// One selected photo. Only the path belongs to us; the other words are the host's.
struct PhotoEntry {
    uint32_t hostWord;
    const char* path;
    uint32_t hostWords[3];
};
QX_HOST_LAYOUT(offsetof(PhotoEntry, path) == 4);
// The host's photo array has a 20-byte stride.
QX_HOST_LAYOUT(sizeof(PhotoEntry) == 20);

struct InvokeRequest {
    uint32_t hostWords[2];
    int32_t photoCount;
    const PhotoEntry* photos;
};
static_assert(offsetof(InvokeRequest, photoCount) == 8);
QX_HOST_LAYOUT(offsetof(InvokeRequest, photos) == 12);
QX_HOST_LAYOUT(sizeof(InvokeRequest) == 16);

}  // namespace qx
