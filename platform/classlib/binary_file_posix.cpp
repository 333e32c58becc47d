// The binary file object on POSIX calls. Windows keeps share modes between
// the openers of a file; here open file description locks stand in for them:
// a reader holds a shared lock and a writer an exclusive one over the whole
// file, so a reader and a writer, or two writers, of one file exclude each
// other across processes and within one, as the Windows lane does.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <limits>

#include "binary_file.h"

namespace qx {
namespace {

FileError::Cause CauseOf(int error) {
    switch (error) {
        case ENOENT:
            return FileError::Cause::FileNotFound;
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
            return FileError::Cause::BadPath;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
            return FileError::Cause::AccessDenied;
        case EEXIST:
            return FileError::Cause::AlreadyExists;
        case EMFILE:
        case ENFILE:
            return FileError::Cause::TooManyOpenFiles;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return FileError::Cause::DiskFull;
        case EINVAL:
        case ESPIPE:
        case EOVERFLOW:
            return FileError::Cause::BadSeek;
        case EBADF:
            return FileError::Cause::NotOpen;
        case EIO:
            return FileError::Cause::HardIO;
        default:
            return FileError::Cause::Generic;
    }
}

bool LockWholeFile(int fd, short type) {
    struct flock lock = {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0;
    return fcntl(fd, F_OFD_SETLK, &lock) == 0;
}

// True when some opener of path holds it open through a binary file object.
bool HeldOpen(const char* path) {
    const int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct flock lock = {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    const bool held = fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
    close(fd);
    return held;
}

}  // namespace

void BinaryFile::Raise(long osError) const {
    throw FileError(CauseOf(static_cast<int>(osError)), osError, m_path);
}

bool BinaryFile::Open(const char* path, Mode mode, FileError* error) {
    if (IsOpen()) Close();
    int flags = O_CLOEXEC;
    switch (mode) {
        case Mode::ReadDenyWrite:
            flags |= O_RDONLY;
            break;
        case Mode::CreateWriteDenyWrite:
            // Not O_TRUNC: the file is emptied only once the lock shows that
            // nobody else has it open.
            flags |= O_WRONLY | O_CREAT;
            break;
        case Mode::CreateNewWriteDenyWrite:
            flags |= O_WRONLY | O_CREAT | O_EXCL;
            break;
    }
    const int fd = open(path, flags, 0666);
    int failure = fd < 0 ? errno : 0;
    if (fd >= 0) {
        const short lockType = mode == Mode::ReadDenyWrite ? F_RDLCK : F_WRLCK;
        if (!LockWholeFile(fd, lockType)) {
            failure = errno == EAGAIN || errno == EACCES ? EBUSY : errno;
        } else if (mode == Mode::CreateWriteDenyWrite) {
            struct stat info;
            if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ftruncate(fd, 0) != 0) {
                failure = errno;
            }
        }
        if (failure != 0) close(fd);
    }
    if (failure != 0) {
        if (error != nullptr) {
            const FileError::Cause cause =
                failure == EBUSY ? FileError::Cause::SharingViolation : CauseOf(failure);
            *error = FileError(cause, failure, path);
        }
        return false;
    }
    m_handle = fd;
    m_path = path;
    return true;
}

uint32_t BinaryFile::Read(void* buffer, uint32_t count) {
    if (!IsOpen()) Raise(EBADF);
    auto* bytes = static_cast<unsigned char*>(buffer);
    uint32_t done = 0;
    while (done < count) {
        const ssize_t got = read(static_cast<int>(m_handle), bytes + done, count - done);
        if (got < 0) {
            if (errno == EINTR) continue;
            Raise(errno);
        }
        if (got == 0) break;
        done += static_cast<uint32_t>(got);
    }
    return done;
}

void BinaryFile::Write(const void* buffer, uint32_t count) {
    if (!IsOpen()) Raise(EBADF);
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    uint32_t done = 0;
    while (done < count) {
        const ssize_t put = write(static_cast<int>(m_handle), bytes + done, count - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            Raise(errno);
        }
        if (put == 0) Raise(ENOSPC);
        done += static_cast<uint32_t>(put);
    }
}

void BinaryFile::Flush() {
    if (!IsOpen()) Raise(EBADF);
    // Devices and pipes have nothing to put on a disk.
    if (fsync(static_cast<int>(m_handle)) != 0 && errno != EINVAL && errno != ENOTSUP) {
        Raise(errno);
    }
}

uint32_t BinaryFile::Seek(int64_t offset, SeekFrom from) {
    if (!IsOpen()) Raise(EBADF);
    const int whence = from == SeekFrom::Begin     ? SEEK_SET
                       : from == SeekFrom::Current ? SEEK_CUR
                                                   : SEEK_END;
    const off_t position = lseek(static_cast<int>(m_handle), static_cast<off_t>(offset), whence);
    if (position < 0) Raise(errno);
    if (position > static_cast<off_t>(std::numeric_limits<uint32_t>::max())) Raise(EOVERFLOW);
    return static_cast<uint32_t>(position);
}

uint32_t BinaryFile::GetPosition() const {
    if (!IsOpen()) Raise(EBADF);
    const off_t position = lseek(static_cast<int>(m_handle), 0, SEEK_CUR);
    if (position < 0) Raise(errno);
    if (position > static_cast<off_t>(std::numeric_limits<uint32_t>::max())) Raise(EOVERFLOW);
    return static_cast<uint32_t>(position);
}

void BinaryFile::Close() {
    if (!IsOpen()) return;
    const int fd = static_cast<int>(m_handle);
    m_handle = kNoHandle;
    if (close(fd) != 0 && errno != EINTR) Raise(errno);
}

bool BinaryFile::Remove(const char* path) { return unlink(path) == 0; }

bool BinaryFile::Replace(const char* replacement, const char* existing) {
    // Windows refuses to replace a file that is open; so does this lane.
    if (HeldOpen(existing) || HeldOpen(replacement)) return false;
    return std::rename(replacement, existing) == 0;
}

}  // namespace qx
