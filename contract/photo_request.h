// Read-only view of the host's request, valid during one KZP_InvokeCommand call.
#pragma once

#include <cstdint>

#include "plugin_records.h"

namespace qx {

class PhotoRequest {
public:
    explicit PhotoRequest(const InvokeRequest* request) : request_(request) {}

    // Read afresh on every call, as the host's count is compared before each
    // photo. A missing request or array means no photos; 0 or less likewise.
    int32_t Count() const {
        if (request_ == nullptr || request_->photos == nullptr) return 0;
        return request_->photoCount;
    }

    // The path of element i: the pointer at byte offset 20 * i + 4 of the array.
    const char* Path(int32_t i) const { return request_->photos[i].path; }

private:
    const InvokeRequest* request_;
};

// The host's result flag. A null pointer from the host is never written through.
class ResultFlag {
public:
    explicit ResultFlag(int32_t* flag) : flag_(flag) {}
    void Set(int32_t value) {
        if (flag_ != nullptr) *flag_ = value;
    }

private:
    int32_t* flag_;
};

}  // namespace qx
