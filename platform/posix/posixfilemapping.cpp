#include "platform/posix/posixfilemapping.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorbel {

namespace {

class MappedContents : public FileContents {
public:
    MappedContents(void *map, std::size_t size) : m_map(map), m_size(size) {}
    ~MappedContents() override { ::munmap(m_map, m_size); }
    MappedContents(const MappedContents &) = delete;
    MappedContents &operator=(const MappedContents &) = delete;
    std::string_view view() const override { return {static_cast<const char *>(m_map), m_size}; }

private:
    void *m_map;
    std::size_t m_size;
};

class ReadContents : public FileContents {
public:
    explicit ReadContents(std::string bytes) : m_bytes(std::move(bytes)) {}
    std::string_view view() const override { return m_bytes; }

private:
    std::string m_bytes;
};

// Closes a descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

std::string readRest(int fd, const std::string &path)
{
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            return bytes;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw FileError(path, std::strerror(errno));
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

} // namespace

std::unique_ptr<FileContents> PosixFileMapping::open(const std::string &path) const
{
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0)
        throw FileError(path, std::strerror(errno));
    if (S_ISDIR(info.st_mode))
        throw FileError(path, std::strerror(EISDIR));
    if (S_ISREG(info.st_mode) && info.st_size > 0) {
        const auto size = static_cast<std::size_t>(info.st_size);
        // All pages mapped at once: one call instead of a fault per page.
        void *map = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd.get(), 0);
        if (map != MAP_FAILED)
            return std::make_unique<MappedContents>(map, size);
    }
    return std::make_unique<ReadContents>(readRest(fd.get(), path));
}

} // namespace quorbel
