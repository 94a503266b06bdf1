#pragma once

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quorbel {

class MessageBoxes;
class Shell;

// A file that cannot be read or written. what() reads "<path>: <reason>";
// description() is the platform's reason alone.
class FileError : public std::runtime_error {
public:
    FileError(const std::string &path, const std::string &description);
    const std::string &description() const { return m_description; }

private:
    std::string m_description;
};

// The whole file as bytes. Throws FileError (missing, unreadable, a folder).
std::string readFileBytes(const std::string &path);
// Appends text and one CR LF to the file, creating it when missing; never
// truncates. Throws FileError when the file cannot be opened or written.
void appendToFile(const std::string &path, std::string_view text);
// The same for a text given in pieces, written one after the other in one
// system call (a page of many megabytes is never joined in memory).
void appendToFile(const std::string &path, std::initializer_list<std::string_view> pieces);

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
