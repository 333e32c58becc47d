#include "module_instance.h"

#include <vector>

namespace qx {
namespace {
HINSTANCE g_instance = nullptr;
}

HINSTANCE ModuleInstance() { return g_instance; }
void SetModuleInstance(HINSTANCE instance) { g_instance = instance; }

std::string LoadModuleString(UINT id, int bufferSize) {
    std::vector<char> buffer(static_cast<size_t>(bufferSize), '\0');
    int length = LoadStringA(g_instance, id, buffer.data(), bufferSize);
    if (length < 0) length = 0;
    return std::string(buffer.data(), static_cast<size_t>(length));
}

}  // namespace qx
