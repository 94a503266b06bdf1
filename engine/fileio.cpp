#include "engine/fileio.h"

#include "engine/sourcetext.h"
#include "platform/hugepages.h"
#include "platform/messageboxes.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <vector>

namespace quorbel {

namespace {

constexpr std::string_view kCrLf = "\r\n";

std::string lastError()
{
    return std::strerror(errno);
}

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
    Descriptor(Descriptor &&other) noexcept : m_fd(other.m_fd) { other.m_fd = -1; }
    int get() const { return m_fd; }
    // Closes now and reports the error of close (a delayed write error).
    bool close()
    {
        const int rc = ::close(m_fd);
        m_fd = -1;
        return rc == 0;
    }

private:
    int m_fd;
};

// Writes every part, going on after a partial write and an interrupted one.
void writeAll(int fd, std::vector<iovec> parts, const std::string &path)
{
    std::size_t first = 0;
    while (first < parts.size()) {
        const int count = static_cast<int>(std::min<std::size_t>(parts.size() - first, IOV_MAX));
        ssize_t n = ::writev(fd, parts.data() + first, count);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw FileError(path, lastError());
        }
        while (first < parts.size() && static_cast<std::size_t>(n) >= parts[first].iov_len) {
            n -= static_cast<ssize_t>(parts[first].iov_len);
            ++first;
        }
        if (first < parts.size()) {
            parts[first].iov_base = static_cast<char *>(parts[first].iov_base) + n;
            parts[first].iov_len -= static_cast<std::size_t>(n);
        }
    }
}

} // namespace

namespace {

// The file opened for reading, its status in info; a folder is refused.
Descriptor openToRead(const std::string &path, struct stat &info)
{
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        throw FileError(path, lastError());
    if (::fstat(fd.get(), &info) != 0)
        throw FileError(path, lastError());
    if (S_ISDIR(info.st_mode))
        throw FileError(path, std::strerror(EISDIR));
    return fd;
}

// Everything left to read from fd.
std::string readAll(const Descriptor &fd, const std::string &path, const struct stat &info)
{
    std::string bytes;
    if (S_ISREG(info.st_mode)) {
        // Room for the line break that the page writer appends, and for
        // LF breaks to become CR LF in place (room not written costs
        // nothing).
        const auto size = static_cast<std::size_t>(info.st_size);
        bytes.reserve(size + size / 16 + 2);
        adviseHugePages(bytes.data(), bytes.capacity());
    }
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw FileError(path, lastError());
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return bytes;
}

} // namespace

std::string readFileBytes(const std::string &path)
{
    struct stat info {};
    const Descriptor fd = openToRead(path, info);
    return readAll(fd, path, info);
}

void appendToFile(const std::string &path, std::string_view text)
{
    appendToFile(path, {text});
}

void appendToFile(const std::string &path, std::initializer_list<std::string_view> pieces)
{
    Descriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666));
    if (fd.get() < 0)
        throw FileError(path, lastError());
    // One write of the text and the line break together (gathered, not
    // copied into one string), so that a failure cannot leave a page
    // without its last line break unnoticed.
    std::vector<iovec> parts;
    for (const std::string_view piece : pieces) {
        if (!piece.empty())
            parts.push_back({const_cast<char *>(piece.data()), piece.size()});
    }
    parts.push_back({const_cast<char *>(kCrLf.data()), kCrLf.size()});
    writeAll(fd.get(), parts, path);
    if (!fd.close())
        throw FileError(path, lastError());
}

AppendFile::AppendFile(const std::string &path)
    : m_path(path), m_fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666))
{
    if (m_fd < 0)
        throw FileError(path, lastError());
}

AppendFile::~AppendFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void AppendFile::write(std::string_view piece)
{
    if (m_fd < 0)
        throw FileError(m_path, std::strerror(EBADF));
    if (!piece.empty())
        writeAll(m_fd, {{const_cast<char *>(piece.data()), piece.size()}}, m_path);
}

void AppendFile::close()
{
    const int fd = m_fd;
    m_fd = -1;
    if (fd >= 0 && ::close(fd) != 0)
        throw FileError(m_path, lastError());
}

bool OutputFile(const std::string &fileName, std::string_view text, MessageBoxes &messages)
{
    try {
        appendToFile(fileName, text);
        return true;
    } catch (const FileError &error) {
        messages.show("Error : " + error.description(), Buttons::Ok, Icon::None);
        return false;
    }
}

std::string InputFile(const std::string &fileName, MessageBoxes &messages)
{
    try {
        return decodeSource(readFileBytes(fileName)).text;
    } catch (const FileError &error) {
        messages.show("Error :  " + error.description(), Buttons::Ok, Icon::None);
    }
    return {};
}

bool FileExists(const std::string &path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string GetDir(std::string_view fileName)
{
    const auto slash = fileName.rfind('\\');
    return slash == std::string_view::npos ? std::string() : std::string(fileName.substr(0, slash));
}

} // namespace quorbel
