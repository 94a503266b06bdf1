#pragma once

#include "platform/error.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace quorbel {

class MessageBoxes;
class Shell;

// A file that cannot be read or written. what() reads "<path>: <reason>";
// description() is the platform's reason alone.
class FileError : public Error {
public:
    FileError(const std::string &path, const std::string &description);
    const std::string &description() const { return m_description; }

private:
    std::string m_description;
};

// The whole file as bytes. Throws FileError (missing, unreadable, a folder).
std::string readFileBytes(const std::string &path);
// The bytes of a file, without a copy where possible: a regular file is
// mapped into memory (read from the system's cache in place), anything else
// (a pipe, a device) is read. Throws FileError like readFileBytes.
class FileBytes {
public:
    explicit FileBytes(const std::string &path);
    ~FileBytes();
    FileBytes(const FileBytes &) = delete;
    FileBytes &operator=(const FileBytes &) = delete;
    std::string_view view() const { return m_view; }

private:
    void *m_map = nullptr;
    std::size_t m_mapSize = 0;
    std::string m_read;
    std::string_view m_view;
};

// Appends text and one CR LF to the file, creating it when missing; never
// truncates. Throws FileError when the file cannot be opened or written.
void appendToFile(const std::string &path, std::string_view text);
// The same for a text given in pieces, written one after the other in one
// system call (a page of many megabytes is never joined in memory).
void appendToFile(const std::string &path, std::initializer_list<std::string_view> pieces);

// A file opened for appending and written piece by piece: a page of many
// megabytes goes out as it is made. Creates the file when missing, never
// truncates; throws FileError when the file cannot be opened or a piece
// cannot be written. close() reports a write error that shows only then; a
// file not closed is closed when the object goes.
class AppendFile {
public:
    explicit AppendFile(const std::string &path);
    ~AppendFile();
    AppendFile(const AppendFile &) = delete;
    AppendFile &operator=(const AppendFile &) = delete;
    void write(std::string_view piece);
    void close();

private:
    std::string m_path;
    int m_fd;
};

// Appends text and one CR LF (see appendToFile). On an error shows "Error : "
// and the platform's description (OK, no icon) and returns false.
bool OutputFile(const std::string &fileName, std::string_view text, MessageBoxes &messages);
// The whole file as a source text: decoded to UTF-8, line breaks CR LF. On an
// error shows "Error :  " and the description (OK, no icon) and returns the
// empty text.
std::string InputFile(const std::string &fileName, MessageBoxes &messages);
// Whether path names a normal file (a folder is not one; links are followed).
bool FileExists(const std::string &path);

// The contact addresses and pages of the product, and the placeholders the
// comment block shows before the user gives their own.
inline constexpr std::string_view kProductPage = "https://quorbel.example.org/";
inline constexpr std::string_view kContactAddress = "contact@quorbel.example.org";
inline constexpr std::string_view kBugReportAddress = "bugs@quorbel.example.org";
inline constexpr std::string_view kPlaceholderEmail = "your.name@example.com";
inline constexpr std::string_view kPlaceholderWebSite = "https://www.example.com/";

// The mail command line of the original platform, byte for byte: the values
// in double quotes, unchanged, in the order to, subject, cc, bcc, body and
// the fixed attachment name.
std::string mailCommandLine(std::string_view to, std::string_view subject, std::string_view body, std::string_view cc,
                            std::string_view bcc);
// The same message as one mailto: address: the same parts in the same order,
// every value percent-encoded (only letters, digits, "-._~" and "@" stay), so
// that no value can add a header field or end the address.
std::string mailtoAddress(std::string_view to, std::string_view subject, std::string_view body, std::string_view cc,
                          std::string_view bcc);
// Starts the user's mail program on that message without waiting: xdg-email,
// or xdg-open where xdg-email cannot be started. Returns the process id.
// Throws ShellError when neither can be started.
long SendEmail(Shell &shell, std::string_view to, std::string_view subject, std::string_view body, std::string_view cc,
               std::string_view bcc);

} // namespace quorbel
