#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

// The pages of one page set, replaced together or not at all.
//
// Each page is written into a new file of its own in its target's folder:
// a file without a name (O_TMPFILE) where the file system offers one, else
// a fresh name created exclusively (never through a name or a link that
// already exists). Nothing is seen at the targets until commit(), which
// runs only after every page was written: it closes every page (a delayed
// write error ends it there), takes an advisory lock (flock, exclusive) on
// the folder of the first page added, names every page and renames it over
// its target, so that two runs replacing the same
// set one after the other never mix their pages. Each old page is swapped
// with its new one (kept under the temporary name, or where the file system
// cannot swap, kept through a second link) until every page is in place:
// when a rename fails midway, the pages already renamed are swapped back
// and the old set stands as it was. A file system that can neither swap nor
// link replaces its pages one by one, without the way back; an old page
// that cannot be put back either stays under its temporary name. A page that replaces a
// file keeps that file's permissions; a new page gets 0666 less the umask.
// A link standing at a target is replaced, its own target left untouched.
// Until commit() returns, SIGINT, SIGTERM and SIGHUP wait, so that no named
// temporary file stays behind.
//
// A set dropped without commit() (an error, an exception) leaves every
// target as it was and no file behind; a folder it created (see
// createFolder) is removed again when still empty. Errors throw FileError
// or ConversionError naming the page.
class PageSet {
public:
    // Renames from to to as renameat2 does with flags (0, RENAME_EXCHANGE,
    // RENAME_NOREPLACE): 0, or -1 with errno set. A test passes its own to
    // make a step fail.
    using Rename = std::function<int(const std::string &from, const std::string &to, unsigned flags)>;
    static int systemRename(const std::string &from, const std::string &to, unsigned flags);

    explicit PageSet(Rename rename = systemRename);
    ~PageSet();
    PageSet(const PageSet &) = delete;
    PageSet &operator=(const PageSet &) = delete;

    // Creates folder (one level) when missing, to be removed again if the
    // set is dropped.
    void createFolder(const std::string &folder);
    // Starts the page for target; what is written goes to its temporary
    // file. Throws ConversionError when target is a folder, FileError when
    // the temporary file cannot be made. Returns the page's index.
    std::size_t add(const std::string &target);
    // Appends bytes to page index.
    void write(std::size_t index, std::string_view bytes);
    // Closes every page (reporting a delayed write error), then puts them in
    // place. After commit the set is done; dropping it changes nothing more.
    void commit();

private:
    struct Page;
    // Names, closes and renames the pages (commit's work).
    void putInPlace();
    // Renames page over its target, keeping the old page to go back to.
    void replace(Page &page);
    // Puts back the old pages of the pages renamed so far, last first.
    void rollBack() noexcept;
    void discard() noexcept;

    Rename m_rename;
    std::vector<std::unique_ptr<Page>> m_pages;
    std::vector<std::string> m_createdFolders;
    bool m_committed = false;
};

} // namespace quorbel
