#include "cli/sourceinput.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <istream>
#include <sys/stat.h>
#include <unistd.h>

namespace quorbel::cli {

namespace {

std::string tooLarge(std::uint64_t maxSize)
{
    return "larger than " + std::to_string(maxSize) + " bytes; refused (--max-size sets the limit)";
}

// Reads everything from in, refusing more than maxSize bytes.
std::string readLimited(std::istream &in, std::uint64_t maxSize)
{
    std::string bytes;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > maxSize)
            throw SourceError(tooLarge(maxSize));
    }
    if (in.bad())
        throw SourceError("cannot be read");
    return bytes;
}

std::string readLimited(int fd, std::uint64_t maxSize)
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
            throw SourceError(std::strerror(errno));
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
        if (bytes.size() > maxSize)
            throw SourceError(tooLarge(maxSize));
    }
}

FileIdentity identityFrom(const struct stat &info)
{
    return {info.st_dev, info.st_ino};
}

} // namespace

std::optional<FileIdentity> identityOf(const std::string &path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return identityFrom(info);
}

SourceInput::SourceInput(const std::string &name, std::uint64_t maxSize, std::istream &in, const FileMapping &mapping)
    : m_name(name)
{
    struct stat info {};
    if (name == "-") {
        // Standard input may itself be a file that a page would replace.
        if (::fstat(STDIN_FILENO, &info) == 0 && S_ISREG(info.st_mode))
            m_identity = identityFrom(info);
        m_read = readLimited(in, maxSize);
        return;
    }
    if (::stat(name.c_str(), &info) != 0)
        throw SourceError(std::strerror(errno));
    if (S_ISFIFO(info.st_mode)) {
        const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            throw SourceError(std::strerror(errno));
        try {
            m_read = readLimited(fd, maxSize);
        } catch (...) {
            ::close(fd);
            throw;
        }
        ::close(fd);
        return;
    }
    if (S_ISDIR(info.st_mode))
        throw SourceError(std::strerror(EISDIR));
    if (!S_ISREG(info.st_mode))
        throw SourceError("not a regular file or a pipe; refused");
    if (static_cast<std::uint64_t>(info.st_size) > maxSize)
        throw SourceError(tooLarge(maxSize));
    m_identity = identityFrom(info);
    m_mapped = mapping.open(name);
    // The file may have been swapped or grown since it was looked at.
    if (m_mapped->view().size() > maxSize)
        throw SourceError(tooLarge(maxSize));
    if (identityOf(name) != m_identity)
        throw SourceError("the file changed while it was opened");
}

std::string SourceInput::displayName() const
{
    return m_name == "-" ? "standard input" : m_name;
}

} // namespace quorbel::cli
