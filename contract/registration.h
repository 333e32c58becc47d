#pragma once

#include "plugin_records.h"

namespace qx {

// The module's two records. They are static, so they hold zero bytes from load
// until FillRegistration runs.
PlugInInfo& RegisteredPlugInInfo();
CommandInfo& RegisteredCommandInfo();

// Writes both records from the module's string table. Running it again writes
// the same bytes again.
void FillRegistration();

}  // namespace qx
