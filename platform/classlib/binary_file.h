// The binary file object: unbuffered reads and writes on one open file, with
// Windows-style sharing (an opener denies others write access).
//
// A failed Open returns false and fills a FileError record. Reading past the
// end is no error: Read simply returns fewer bytes. Every other failure of
// Read, Write, Flush, Seek, GetPosition and Close raises a FileError.
#pragma once

#include <cstdint>
#include <string>

#include "file_error.h"

namespace qx {

class BinaryFile {
  public:
    enum class Mode {
        // Read only; others may read, but nobody may write while it is open.
        ReadDenyWrite,
        // Created, or emptied if it exists; write only; others may only read.
        CreateWriteDenyWrite,
        // As CreateWriteDenyWrite, but fails with AlreadyExists instead of
        // emptying a file that is there.
        CreateNewWriteDenyWrite,
    };
    enum class SeekFrom { Begin, Current, End };

    BinaryFile() = default;
    // Closes a file that is still open; an error on that close is dropped.
    ~BinaryFile();
    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;

    bool Open(const char* path, Mode mode, FileError* error = nullptr);
    bool IsOpen() const { return m_handle != kNoHandle; }

    // Returns the bytes read: fewer than count only at the end of the file.
    uint32_t Read(void* buffer, uint32_t count);
    void Write(const void* buffer, uint32_t count);
    void Flush();
    // Moves the position and returns it. A position past the end is allowed;
    // one before the start, or beyond 32 bits, raises BadSeek.
    uint32_t Seek(int64_t offset, SeekFrom from);
    uint32_t GetPosition() const;
    void Close();

    // Removes a file that is not open. Returns false if it could not.
    static bool Remove(const char* path);
    // Puts replacement in the place of existing in one step: afterwards
    // existing names the replacement's bytes, or, on failure, is untouched.
    // A file that somebody holds open is not replaced.
    static bool Replace(const char* replacement, const char* existing);

  private:
    static constexpr intptr_t kNoHandle = -1;
    [[noreturn]] void Raise(long osError) const;

    intptr_t m_handle = kNoHandle;
    std::string m_path;
};

}  // namespace qx
