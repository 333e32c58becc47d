#include "trace_list.h"

namespace qx {

TraceList* g_pTraceList = nullptr;

}  // namespace qx
