// The file-error record: filled by a failed open, and raised as an exception
// by any other failed operation of the binary file object.
#pragma once

#include <cstddef>
#include <exception>
#include <string>

namespace qx {

class FileError : public std::exception {
  public:
    enum class Cause {
        None,
        Generic,
        FileNotFound,
        BadPath,
        AccessDenied,
        SharingViolation,
        AlreadyExists,
        TooManyOpenFiles,
        DiskFull,
        BadSeek,
        NotOpen,
        HardIO,
    };

    FileError() = default;
    FileError(Cause cause, long osError, std::string fileName);

    Cause GetCause() const { return m_cause; }
    long GetOsError() const { return m_osError; }
    const std::string& GetFileName() const { return m_fileName; }

    // Copies the message text into buffer, cut to fit and always terminated.
    // Returns false (and an empty buffer) when the record holds no error.
    bool GetErrorMessage(char* buffer, size_t bufferSize) const;
    const std::string& GetMessage() const { return m_message; }

    const char* what() const noexcept override { return m_message.c_str(); }

  private:
    Cause m_cause = Cause::None;
    long m_osError = 0;
    std::string m_fileName;
    std::string m_message;
};

}  // namespace qx
