// What each module supplies to the shared entry points: its one command.
#pragma once

#include <cstdint>

#include "photo_request.h"

namespace qx {

// Runs the module's command for the photos of the request and returns what
// KZP_InvokeCommand hands back to the host. It may throw: the export catches
// everything, so nothing escapes into the host.
int RunCommand(const PhotoRequest& photos, ResultFlag& resultFlag);

}  // namespace qx
