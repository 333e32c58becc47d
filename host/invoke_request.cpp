#include "invoke_request.h"

namespace qx::host {

// The words that belong to the host are filled with a pattern: a plug-in that
// read them would see nonsense, not a convenient zero.
constexpr uint32_t kHostWord = 0xA5A5A5A5;

HostRequest::HostRequest(std::vector<std::string> paths) : paths_(std::move(paths)) {
    entries_.reserve(paths_.size());
    for (const std::string& path : paths_) {
        PhotoEntry entry{};
        entry.hostWord = kHostWord;
        entry.path = path.c_str();
        entry.hostWords[0] = entry.hostWords[1] = entry.hostWords[2] = kHostWord;
        entries_.push_back(entry);
    }
    request_.hostWords[0] = request_.hostWords[1] = kHostWord;
    request_.photoCount = static_cast<int32_t>(entries_.size());
    request_.photos = entries_.empty() ? nullptr : entries_.data();
}

}  // namespace qx::host
