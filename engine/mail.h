#pragma once

#include <string>
#include <string_view>

namespace quorbel {

class Shell;

// A mail message as one Windows-style command line: "Start.exe mailto:"
// with every value in double quotes, unchanged, in the order to, subject,
// cc, bcc, body, and the fixed attachment name "c:\autoexec.bat" last.
std::string mailCommandLine(std::string_view to, std::string_view subject, std::string_view body, std::string_view cc,
                            std::string_view bcc);
// The same message as one mailto: address: the same parts in the same order,
// every value percent-encoded (only letters, digits, "-._~" and "@" stay), so
// that no value can add a header field or end the address.
std::string mailtoAddress(std::string_view to, std::string_view subject, std::string_view body, std::string_view cc,
                          std::string_view bcc);
// Starts the user's mail program on that message through the shell, without
// waiting: xdg-email, or xdg-open where xdg-email cannot be started. Returns
// the process id. Throws ShellError when neither can be started.
long SendEmail(Shell &shell, std::string_view to, std::string_view subject, std::string_view body, std::string_view cc,
               std::string_view bcc);

} // namespace quorbel
