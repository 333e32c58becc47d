// Builds the request the host hands to KZP_InvokeCommand: the host's own two
// leading words, the count, and an array of 20-byte entries whose path
// pointers point into strings this object owns.
#pragma once

#include <string>
#include <vector>

#include "plugin_records.h"

namespace qx::host {

class HostRequest {
public:
    explicit HostRequest(std::vector<std::string> paths);
    HostRequest(const HostRequest&) = delete;
    HostRequest& operator=(const HostRequest&) = delete;

    const InvokeRequest* Get() const { return &request_; }
    // Lets a caller state a count other than the number of paths (0, negative).
    void SetCount(int32_t count) { request_.photoCount = count; }

private:
    std::vector<std::string> paths_;
    std::vector<PhotoEntry> entries_;
    InvokeRequest request_{};
};

}  // namespace qx::host
