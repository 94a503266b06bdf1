#include "engine/pageset.h"

#include "engine/conversionerror.h"
#include "engine/fileio.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace quorbel {

namespace {

std::string lastError()
{
    return std::strerror(errno);
}

std::string folderOf(const std::string &path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string fileNameOf(const std::string &path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A name for a temporary file in folder, unlikely to be taken; the caller
// creates it exclusively and tries again when it is.
std::string temporaryName(const std::string &folder)
{
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    static thread_local unsigned counter = 0;
    return folder + "/.quorbel-" + std::to_string(::getpid()) + "-" + std::to_string(++counter) + "-" +
           std::to_string(generator() % 1000000000);
}

// Whether an unnamed file can be given a name later (through /proc).
bool canNameUnnamedFiles()
{
    static const bool available = ::access("/proc/self/fd", X_OK) == 0;
    return available;
}

// Blocks the signals that end a process politely while it lives, so that a
// handler-less SIGINT or SIGTERM arrives only after the renames.
class SignalsHeld {
public:
    SignalsHeld()
    {
        sigset_t set;
        sigemptyset(&set);
        for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT})
            sigaddset(&set, sig);
        pthread_sigmask(SIG_BLOCK, &set, &m_previous);
    }
    ~SignalsHeld() { pthread_sigmask(SIG_SETMASK, &m_previous, nullptr); }
    SignalsHeld(const SignalsHeld &) = delete;
    SignalsHeld &operator=(const SignalsHeld &) = delete;

private:
    sigset_t m_previous;
};

// An exclusive advisory lock on a folder, held while it lives. A folder
// that cannot be opened for it goes unlocked: the pages are still whole.
class FolderLock {
public:
    explicit FolderLock(const std::string &folder) : m_fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    {
        while (m_fd >= 0 && ::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    ~FolderLock()
    {
        if (m_fd >= 0)
            ::close(m_fd); // releases the lock
    }
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

private:
    int m_fd;
};

} // namespace

struct PageSet::Page {
    std::string target;
    std::string folder;
    std::string temporary; // the temporary file's name once it has one
    int fd = -1;
    // Once the page stands at its target: how the old page is kept.
    enum class Placed { No, Swapped, Linked, Created, Unkept } placed = Placed::No;
    std::string kept; // the old page's name (Swapped, Linked)
};

int PageSet::systemRename(const std::string &from, const std::string &to, unsigned flags)
{
    return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), flags);
}

PageSet::PageSet(Rename rename) : m_rename(std::move(rename))
{
}

PageSet::~PageSet()
{
    if (!m_committed)
        discard();
}

void PageSet::createFolder(const std::string &folder)
{
    if (::mkdir(folder.c_str(), 0777) == 0) {
        m_createdFolders.push_back(folder);
        return;
    }
    if (errno == EEXIST)
        return;
    throw ConversionError("cannot create folder " + folder + ": " + lastError());
}

std::size_t PageSet::add(const std::string &target)
{
    auto page = std::make_unique<Page>();
    page->target = target;
    page->folder = folderOf(target);

    struct stat old {};
    const bool replacing = ::lstat(target.c_str(), &old) == 0;
    if (replacing && S_ISDIR(old.st_mode))
        throw ConversionError(target + ": is a folder, not a page");
    // The rename at the end must not fail for a name too long: the set
    // would be half replaced.
    const long nameMax = ::pathconf(page->folder.c_str(), _PC_NAME_MAX);
    if (nameMax > 0 && fileNameOf(target).size() > static_cast<std::size_t>(nameMax))
        throw FileError(target, std::strerror(ENAMETOOLONG));

    if (canNameUnnamedFiles())
        page->fd = ::open(page->folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (page->fd < 0) {
        if (canNameUnnamedFiles() && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            throw FileError(target, lastError());
        // No unnamed files here: a fresh name, created exclusively.
        do {
            page->temporary = temporaryName(page->folder);
            page->fd = ::open(page->temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        } while (page->fd < 0 && errno == EEXIST);
        if (page->fd < 0) {
            page->temporary.clear();
            throw FileError(target, lastError());
        }
    }
    // A page that replaces a file keeps that file's permissions.
    if (replacing && S_ISREG(old.st_mode) && ::fchmod(page->fd, old.st_mode & 07777) != 0) {
        const std::string error = lastError();
        ::close(page->fd);
        if (!page->temporary.empty())
            ::unlink(page->temporary.c_str());
        throw FileError(target, error);
    }
    m_pages.push_back(std::move(page));
    return m_pages.size() - 1;
}

void PageSet::write(std::size_t index, std::string_view bytes)
{
    Page &page = *m_pages.at(index);
    while (!bytes.empty()) {
        const ssize_t n = ::write(page.fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw FileError(page.target, lastError());
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

void PageSet::commit()
{
    if (m_pages.empty()) {
        m_committed = true;
        return;
    }
    const SignalsHeld held;
    try {
        putInPlace();
    } catch (...) {
        discard(); // while the signals still wait
        throw;
    }
    m_committed = true;
}

void PageSet::putInPlace()
{
    // Every page gets a name in its folder and is closed; only then is any
    // target touched.
    for (const auto &page : m_pages) {
        if (page->temporary.empty()) {
            const std::string self = "/proc/self/fd/" + std::to_string(page->fd);
            std::string name;
            int rc = 0;
            do {
                name = temporaryName(page->folder);
                rc = ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW);
            } while (rc != 0 && errno == EEXIST);
            if (rc != 0)
                throw FileError(page->target, lastError());
            page->temporary = name;
        }
        const int fd = page->fd;
        page->fd = -1;
        if (::close(fd) != 0)
            throw FileError(page->target, lastError());
    }
    const FolderLock lock(m_pages.front()->folder);
    for (const auto &page : m_pages) {
        try {
            replace(*page);
        } catch (...) {
            rollBack();
            throw;
        }
    }
    // Every page is in place: the old ones go.
    for (const auto &page : m_pages) {
        if (!page->kept.empty())
            ::unlink(page->kept.c_str());
        page->kept.clear();
    }
}

void PageSet::replace(Page &page)
{
    struct stat old {};
    if (::lstat(page.target.c_str(), &old) == 0 && S_ISDIR(old.st_mode))
        throw FileError(page.target, std::strerror(EISDIR)); // a folder must not be swapped away
    // The new page and the old one change names: the old one is kept under
    // the temporary name.
    if (m_rename(page.temporary, page.target, RENAME_EXCHANGE) == 0) {
        page.kept = std::exchange(page.temporary, {});
        page.placed = Page::Placed::Swapped;
        return;
    }
    if (errno != ENOENT && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        throw FileError(page.target, lastError());
    // No swapping here (or no old page): the old page is kept through a
    // second link, when the file system has links.
    std::string kept;
    int rc = 0;
    do {
        kept = temporaryName(page.folder);
        rc = ::linkat(AT_FDCWD, page.target.c_str(), AT_FDCWD, kept.c_str(), 0);
    } while (rc != 0 && errno == EEXIST);
    if (rc != 0 && errno == ENOENT) {
        // No old page: a new name (unless one came meanwhile).
        rc = m_rename(page.temporary, page.target, RENAME_NOREPLACE);
        if (rc != 0 && errno == EEXIST)
            return replace(page);
        if (rc != 0 && (errno == EINVAL || errno == ENOSYS))
            rc = m_rename(page.temporary, page.target, 0);
        if (rc != 0)
            throw FileError(page.target, lastError());
        page.temporary.clear();
        page.placed = Page::Placed::Created;
        return;
    }
    if (rc != 0)
        kept.clear();
    if (m_rename(page.temporary, page.target, 0) != 0) {
        const std::string error = lastError();
        if (!kept.empty())
            ::unlink(kept.c_str());
        throw FileError(page.target, error);
    }
    page.temporary.clear();
    page.kept = std::move(kept);
    page.placed = page.kept.empty() ? Page::Placed::Unkept : Page::Placed::Linked;
}

void PageSet::rollBack() noexcept
{
    for (auto it = m_pages.rbegin(); it != m_pages.rend(); ++it) {
        Page &page = **it;
        switch (page.placed) {
        case Page::Placed::Swapped:
            // Swapped back, the new page under the temporary name goes
            // with the set.
            if (m_rename(page.kept, page.target, RENAME_EXCHANGE) == 0)
                page.temporary = std::exchange(page.kept, {});
            break;
        case Page::Placed::Linked:
            if (m_rename(page.kept, page.target, 0) == 0)
                page.kept.clear();
            break;
        case Page::Placed::Created:
            ::unlink(page.target.c_str());
            break;
        case Page::Placed::No:
        case Page::Placed::Unkept:
            break;
        }
        page.placed = Page::Placed::No;
    }
}

void PageSet::discard() noexcept
{
    for (const auto &page : m_pages) {
        if (page->fd >= 0)
            ::close(page->fd);
        if (!page->temporary.empty())
            ::unlink(page->temporary.c_str());
    }
    m_pages.clear();
    // A folder made for this set goes again when nothing else came into it.
    for (auto it = m_createdFolders.rbegin(); it != m_createdFolders.rend(); ++it)
        ::rmdir(it->c_str());
    m_createdFolders.clear();
}

} // namespace quorbel
