#include "platform/posix/posixfilemapping.h"

#include "platform/hugepages.h"

#include <cerrno>
#include <cstdint>
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

// A large file read into memory of its own, advised to be backed by huge
// pages (see adviseHugePages). In a virtual machine every 4 KB page a
// process touches for the first time costs several microseconds even when
// it is mapped already, and a mapping of the system's cache is made of 4 KB
// pages: a file of many megabytes costs less copied once into a few huge
// pages than seen in place.
class HugeReadContents : public FileContents {
public:
    HugeReadContents(void *map, std::size_t mapSize, const char *bytes, std::size_t size)
        : m_map(map), m_mapSize(mapSize), m_bytes(bytes), m_size(size)
    {
    }
    ~HugeReadContents() override { ::munmap(m_map, m_mapSize); }
    HugeReadContents(const HugeReadContents &) = delete;
    HugeReadContents &operator=(const HugeReadContents &) = delete;
    std::string_view view() const override { return {m_bytes, m_size}; }

private:
    void *m_map;
    std::size_t m_mapSize;
    const char *m_bytes;
    std::size_t m_size;
};

constexpr std::size_t kHugePage = std::size_t{2} << 20;
// Files from this size on are read into huge pages; smaller ones mapped.
constexpr std::size_t kReadFrom = 2 * kHugePage;

// The size bytes of the regular file fd read into whole huge pages;
// nothing when no memory is to be had or the file gave fewer bytes than
// its size (it shrank meanwhile): the caller maps it then.
std::unique_ptr<FileContents> readIntoHugePages(int fd, std::size_t size)
{
    const std::size_t rounded = (size + kHugePage - 1) & ~(kHugePage - 1);
    const std::size_t mapSize = rounded + kHugePage; // room to start at a huge page
    void *map = ::mmap(nullptr, mapSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (map == MAP_FAILED)
        return nullptr;
    const auto begin = reinterpret_cast<std::uintptr_t>(map);
    char *const bytes = reinterpret_cast<char *>((begin + kHugePage - 1) & ~(kHugePage - 1));
    adviseHugePages(bytes, rounded);
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::pread(fd, bytes + got, size - got, static_cast<off_t>(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    if (got != size) {
        ::munmap(map, mapSize);
        return nullptr;
    }
    return std::make_unique<HugeReadContents>(map, mapSize, bytes, size);
}

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
        if (size >= kReadFrom) {
            if (auto contents = readIntoHugePages(fd.get(), size))
                return contents;
        }
        // All pages mapped at once: one call instead of a fault per page.
        void *map = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd.get(), 0);
        if (map != MAP_FAILED)
            return std::make_unique<MappedContents>(map, size);
    }
    return std::make_unique<ReadContents>(readRest(fd.get(), path));
}

} // namespace quorbel
