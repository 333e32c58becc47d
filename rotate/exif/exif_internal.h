// What the two halves of CExif share and nobody else needs.
#pragma once

#include "file_error.h"

namespace qx {

// Traces the text of a failed open, cut to the 1024-character buffer it is
// taken into.
void TraceFileError(const FileError& error);

}  // namespace qx
