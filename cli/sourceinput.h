#pragma once

#include "platform/error.h"
#include "platform/filemapping.h"

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace quorbel::cli {

// Where a file lives: two names with the same identity are one file.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FileIdentity &) const = default;
};

// The identity of the file path names, links followed; none when missing.
std::optional<FileIdentity> identityOf(const std::string &path);

// One source of a convert command, its bytes at hand: a regular file is
// mapped, a pipe or standard input ("-") is read. Only a regular file, a
// pipe or standard input is taken, and none larger than maxSize bytes: a
// device (/dev/zero) or an endless pipe is refused with SourceError before
// it fills the memory. A regular file is opened through mapping.
class SourceInput {
public:
    SourceInput(const std::string &name, std::uint64_t maxSize, std::istream &in, const FileMapping &mapping);
    SourceInput(const SourceInput &) = delete;
    SourceInput &operator=(const SourceInput &) = delete;

    const std::string &name() const { return m_name; }
    // "standard input" for "-", else the name.
    std::string displayName() const;
    std::optional<FileIdentity> identity() const { return m_identity; }
    std::string_view bytes() const { return m_mapped ? m_mapped->view() : std::string_view(m_read); }

private:
    std::string m_name;
    std::optional<FileIdentity> m_identity;
    std::unique_ptr<FileContents> m_mapped;
    std::string m_read;
};

// A source refused or unreadable; what() is one line without the name.
class SourceError : public Error {
public:
    using Error::Error;
};

} // namespace quorbel::cli
