// What the binary file object does the same in both lanes.
#include "binary_file.h"

namespace qx {

BinaryFile::~BinaryFile() {
    if (!IsOpen()) return;
    try {
        Close();
    } catch (const FileError&) {
        // A destructor has nobody to tell; a caller who cares closes first.
    }
}

}  // namespace qx
