// The trace log of the marker reader. Every step of CExif formats a line and
// hands it on; the lines are kept only while somebody has attached a list.
// The rotate module never attaches one, so there they are dropped. The tests,
// the fuzz target and the qxexif tool attach their own.
#pragma once

#include <list>
#include <string>

namespace qx {

using TraceList = std::list<std::string>;

// Not owned by CExif. Null unless a diagnostic caller attaches a list.
extern TraceList* g_pTraceList;

}  // namespace qx
