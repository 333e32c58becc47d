// The binary file object on the Windows file API, with real share modes:
// every opener shares read access only, so it denies others write access.
#include <windows.h>

#include <limits>

#include "binary_file.h"

namespace qx {
namespace {

FileError::Cause CauseOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
            return FileError::Cause::FileNotFound;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_INVALID_DRIVE:
        case ERROR_FILENAME_EXCED_RANGE:
            return FileError::Cause::BadPath;
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
            return FileError::Cause::AccessDenied;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return FileError::Cause::SharingViolation;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return FileError::Cause::AlreadyExists;
        case ERROR_TOO_MANY_OPEN_FILES:
            return FileError::Cause::TooManyOpenFiles;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return FileError::Cause::DiskFull;
        case ERROR_NEGATIVE_SEEK:
        case ERROR_SEEK:
        case ERROR_SEEK_ON_DEVICE:
            return FileError::Cause::BadSeek;
        case ERROR_INVALID_HANDLE:
            return FileError::Cause::NotOpen;
        case ERROR_CRC:
        case ERROR_READ_FAULT:
        case ERROR_WRITE_FAULT:
            return FileError::Cause::HardIO;
        default:
            return FileError::Cause::Generic;
    }
}

HANDLE AsHandle(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

void BinaryFile::Raise(long osError) const {
    throw FileError(CauseOf(static_cast<DWORD>(osError)), osError, m_path);
}

bool BinaryFile::Open(const char* path, Mode mode, FileError* error) {
    if (IsOpen()) Close();
    DWORD access = GENERIC_WRITE;
    DWORD disposition = CREATE_ALWAYS;
    if (mode == Mode::ReadDenyWrite) {
        access = GENERIC_READ;
        disposition = OPEN_EXISTING;
    } else if (mode == Mode::CreateNewWriteDenyWrite) {
        disposition = CREATE_NEW;
    }
    const HANDLE handle = CreateFileA(path, access, FILE_SHARE_READ, nullptr, disposition,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD failure = GetLastError();
        if (error != nullptr)
            *error = FileError(CauseOf(failure), static_cast<long>(failure), path);
        return false;
    }
    m_handle = reinterpret_cast<intptr_t>(handle);
    m_path = path;
    return true;
}

uint32_t BinaryFile::Read(void* buffer, uint32_t count) {
    if (!IsOpen()) Raise(ERROR_INVALID_HANDLE);
    auto* bytes = static_cast<unsigned char*>(buffer);
    uint32_t done = 0;
    while (done < count) {
        DWORD got = 0;
        if (!ReadFile(AsHandle(m_handle), bytes + done, count - done, &got, nullptr)) {
            const DWORD failure = GetLastError();
            if (failure == ERROR_HANDLE_EOF) break;
            Raise(static_cast<long>(failure));
        }
        if (got == 0) break;
        done += got;
    }
    return done;
}

void BinaryFile::Write(const void* buffer, uint32_t count) {
    if (!IsOpen()) Raise(ERROR_INVALID_HANDLE);
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    uint32_t done = 0;
    while (done < count) {
        DWORD put = 0;
        if (!WriteFile(AsHandle(m_handle), bytes + done, count - done, &put, nullptr)) {
            Raise(static_cast<long>(GetLastError()));
        }
        if (put == 0) Raise(ERROR_DISK_FULL);
        done += put;
    }
}

void BinaryFile::Flush() {
    if (!IsOpen()) Raise(ERROR_INVALID_HANDLE);
    if (!FlushFileBuffers(AsHandle(m_handle))) Raise(static_cast<long>(GetLastError()));
}

uint32_t BinaryFile::Seek(int64_t offset, SeekFrom from) {
    if (!IsOpen()) Raise(ERROR_INVALID_HANDLE);
    const DWORD method = from == SeekFrom::Begin     ? FILE_BEGIN
                         : from == SeekFrom::Current ? FILE_CURRENT
                                                     : FILE_END;
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    LARGE_INTEGER position;
    if (!SetFilePointerEx(AsHandle(m_handle), distance, &position, method)) {
        Raise(static_cast<long>(GetLastError()));
    }
    if (position.QuadPart > static_cast<LONGLONG>(std::numeric_limits<uint32_t>::max())) {
        Raise(ERROR_SEEK);
    }
    return static_cast<uint32_t>(position.QuadPart);
}

uint32_t BinaryFile::GetPosition() const {
    if (!IsOpen()) Raise(ERROR_INVALID_HANDLE);
    LARGE_INTEGER zero;
    zero.QuadPart = 0;
    LARGE_INTEGER position;
    if (!SetFilePointerEx(AsHandle(m_handle), zero, &position, FILE_CURRENT)) {
        Raise(static_cast<long>(GetLastError()));
    }
    if (position.QuadPart > static_cast<LONGLONG>(std::numeric_limits<uint32_t>::max())) {
        Raise(ERROR_SEEK);
    }
    return static_cast<uint32_t>(position.QuadPart);
}

void BinaryFile::Close() {
    if (!IsOpen()) return;
    const HANDLE handle = AsHandle(m_handle);
    m_handle = kNoHandle;
    if (!CloseHandle(handle)) Raise(static_cast<long>(GetLastError()));
}

bool BinaryFile::Remove(const char* path) { return DeleteFileA(path) != 0; }

bool BinaryFile::Replace(const char* replacement, const char* existing) {
    return MoveFileExA(replacement, existing, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
           0;
}

}  // namespace qx
