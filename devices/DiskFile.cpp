#include "devices/DiskFile.h"

#include "devices/HostErrors.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

namespace korvelin {

namespace {

int openFlags(FileMode mode) {
    switch (mode) {
    case FileMode::Input: return O_RDONLY;
    case FileMode::Output: return O_WRONLY | O_CREAT | O_TRUNC;
    case FileMode::Append: return O_WRONLY | O_CREAT | O_APPEND;
    case FileMode::Random: return O_RDWR | O_CREAT;
    }
    return O_RDONLY;
}

} // namespace

DiskFile::DiskFile(const QString& hostPath, FileMode mode) : mode_(mode) {
    const QByteArray path = hostPath.toUtf8();
    if (path.isEmpty()) failHost(HostFailureKind::BadFileName);
    fd_ = ::open(path.constData(), openFlags(mode) | O_CLOEXEC, 0666);
    if (fd_ < 0) failWithErrno(errno);
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        failHost(HostFailureKind::BadFileName);
    }
    if (mode == FileMode::Append) hostPosition_ = st.st_size;
}

DiskFile::~DiskFile() {
    if (fd_ < 0) return;
    try {
        close();
    } catch (const HostFailure&) {
        // Nobody is left to tell; close() has already given the data its chance.
    }
}

void DiskFile::writeAll(const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd_, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            failWithErrno(errno);
        }
        data += n;
        size -= static_cast<std::size_t>(n);
        hostPosition_ += n;
    }
}

void DiskFile::checkStillNamed() {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) failWithErrno(errno);
    if (st.st_nlink == 0) failHost(HostFailureKind::FileNotFound);
}

void DiskFile::write(std::string_view bytes) {
    if (fd_ < 0 || mode_ == FileMode::Input || mode_ == FileMode::Random) failHost(HostFailureKind::Other);
    writeBuffer_.append(bytes);
    if (writeBuffer_.size() >= BufferSize) flush();
}

void DiskFile::flush() {
    if (fd_ < 0 || writeBuffer_.empty()) return;
    try {
        writeAll(writeBuffer_.data(), writeBuffer_.size());
    } catch (const HostFailure&) {
        // The host has refused it; holding it back would only repeat the
        // failure with every later write.
        writeBuffer_.clear();
        throw;
    }
    writeBuffer_.clear();
    checkStillNamed();
}

void DiskFile::close() {
    if (fd_ < 0) return;
    const int fd = fd_;
    try {
        flush();
    } catch (const HostFailure&) {
        fd_ = -1;
        ::close(fd);
        throw;
    }
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR) failWithErrno(errno);
}

bool DiskFile::refill() {
    if (fd_ < 0) return false;
    readBuffer_.erase(0, readPos_);
    readPos_ = 0;
    const std::size_t kept = readBuffer_.size();
    readBuffer_.resize(kept + BufferSize);
    ssize_t n;
    do {
        n = ::read(fd_, readBuffer_.data() + kept, BufferSize);
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        readBuffer_.resize(kept);
        failWithErrno(errno);
    }
    readBuffer_.resize(kept + static_cast<std::size_t>(n));
    hostPosition_ += n;
    return n > 0;
}

bool DiskFile::readLine(std::string& line) {
    line.clear();
    if (mode_ != FileMode::Input) failHost(HostFailureKind::Other);
    for (;;) {
        const char* begin = readBuffer_.data() + readPos_;
        const std::size_t available = readBuffer_.size() - readPos_;
        const char* end = nullptr;
        for (const char* p = begin; p < begin + available; ++p) {
            if (*p == '\r' || *p == '\n') {
                end = p;
                break;
            }
        }
        if (end) {
            // A CR at the very end of the buffer may have its LF in the next block.
            if (*end == '\r' && end + 1 == begin + available) {
                line.append(begin, end);
                readPos_ = readBuffer_.size();
                if (refill() && readBuffer_[0] == '\n') readPos_ = 1;
                return true;
            }
            line.append(begin, end);
            readPos_ += static_cast<std::size_t>(end - begin) + 1;
            if (*end == '\r' && readBuffer_[readPos_] == '\n') ++readPos_;
            return true;
        }
        line.append(begin, available);
        readPos_ = readBuffer_.size();
        if (line.size() >= MaxLineBytes) return true;
        if (!refill()) return !line.empty(); // a last line without its end
    }
}

std::size_t DiskFile::read(std::string& out, std::size_t count) {
    if (mode_ != FileMode::Input) failHost(HostFailureKind::Other);
    std::size_t taken = 0;
    while (taken < count) {
        if (readPos_ == readBuffer_.size() && !refill()) break;
        const std::size_t n = std::min(count - taken, readBuffer_.size() - readPos_);
        out.append(readBuffer_, readPos_, n);
        readPos_ += n;
        taken += n;
    }
    return taken;
}

bool DiskFile::atEnd() {
    switch (mode_) {
    case FileMode::Input: return readPos_ == readBuffer_.size() && !refill();
    case FileMode::Random: return lastRecordByte_ >= length();
    default: return true; // a writing file stands at its end
    }
}

std::int64_t DiskFile::position() {
    switch (mode_) {
    case FileMode::Input: return hostPosition_ - static_cast<std::int64_t>(readBuffer_.size() - readPos_);
    case FileMode::Random: return lastRecordByte_;
    default: return hostPosition_ + static_cast<std::int64_t>(writeBuffer_.size());
    }
}

std::int64_t DiskFile::length() {
    if (fd_ < 0) failHost(HostFailureKind::Other);
    flush();
    struct stat st {};
    if (::fstat(fd_, &st) != 0) failWithErrno(errno);
    return st.st_size;
}

void DiskFile::readAt(std::int64_t offset, char* data, std::size_t count) {
    if (fd_ < 0 || offset < 0) failHost(HostFailureKind::Other);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::pread(fd_, data + done, count - done, offset + static_cast<std::int64_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) failWithErrno(errno);
        if (n == 0) failHost(HostFailureKind::Other); // past the end of the file
        done += static_cast<std::size_t>(n);
    }
    lastRecordByte_ = offset + static_cast<std::int64_t>(count);
}

void DiskFile::writeAt(std::int64_t offset, std::string_view bytes) {
    if (fd_ < 0 || offset < 0) failHost(HostFailureKind::Other);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd_, bytes.data() + done, bytes.size() - done, offset + static_cast<std::int64_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) failWithErrno(errno);
        done += static_cast<std::size_t>(n);
    }
    lastRecordByte_ = offset + static_cast<std::int64_t>(bytes.size());
}

} // namespace korvelin
