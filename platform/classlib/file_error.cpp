#include "file_error.h"

#include <cstring>
#include <utility>

#include "string_format.h"

namespace qx {
namespace {

const char* Describe(FileError::Cause cause) {
    switch (cause) {
        case FileError::Cause::None:
            return "No error occurred";
        case FileError::Cause::FileNotFound:
            return "was not found";
        case FileError::Cause::BadPath:
            return "has an invalid path";
        case FileError::Cause::AccessDenied:
            return "could not be accessed: access denied";
        case FileError::Cause::SharingViolation:
            return "could not be accessed: it is in use";
        case FileError::Cause::AlreadyExists:
            return "already exists";
        case FileError::Cause::TooManyOpenFiles:
            return "could not be opened: too many open files";
        case FileError::Cause::DiskFull:
            return "could not be written: the disk is full";
        case FileError::Cause::BadSeek:
            return "could not be positioned";
        case FileError::Cause::NotOpen:
            return "is not open";
        case FileError::Cause::HardIO:
            return "could not be read or written: hardware I/O error";
        case FileError::Cause::Generic:
            break;
    }
    return "could not be accessed";
}

}  // namespace

FileError::FileError(Cause cause, long osError, std::string fileName)
    : m_cause(cause), m_osError(osError), m_fileName(std::move(fileName)) {
    m_message =
        FormatString("\"%s\" %s (system error %ld).", m_fileName.c_str(), Describe(cause), osError);
}

bool FileError::GetErrorMessage(char* buffer, size_t bufferSize) const {
    if (buffer == nullptr || bufferSize == 0) return false;
    buffer[0] = '\0';
    if (m_cause == Cause::None) return false;
    const size_t length = m_message.size() < bufferSize - 1 ? m_message.size() : bufferSize - 1;
    std::memcpy(buffer, m_message.data(), length);
    buffer[length] = '\0';
    return true;
}

}  // namespace qx
