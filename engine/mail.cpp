#include "engine/mail.h"

#include "engine/percentencode.h"
#include "platform/shell.h"

namespace quorbel {

namespace {

// The attachment every mail message names.
constexpr std::string_view kMailFile = "c:\\autoexec.bat";

} // namespace

std::string mailCommandLine(std::string_view to, std::string_view subject, std::string_view body, std::string_view cc,
                            std::string_view bcc)
{
    const auto quoted = [](std::string_view value) { return "\"" + std::string(value) + "\""; };
    return "Start.exe mailto:" + quoted(to) + "?Subject=" + quoted(subject) + "&cc=" + quoted(cc) +
           "&bcc=" + quoted(bcc) + "&Body=" + quoted(body) + "&File=" + quoted(kMailFile);
}

std::string mailtoAddress(std::string_view to, std::string_view subject, std::string_view body, std::string_view cc,
                          std::string_view bcc)
{
    std::string address = "mailto:";
    address += percentEncode(to, "@");
    address += "?Subject=";
    address += percentEncode(subject, "@");
    address += "&cc=";
    address += percentEncode(cc, "@");
    address += "&bcc=";
    address += percentEncode(bcc, "@");
    address += "&Body=";
    address += percentEncode(body, "@");
    address += "&File=";
    address += percentEncode(kMailFile, "@");
    return address;
}

long SendEmail(Shell &shell, std::string_view to, std::string_view subject, std::string_view body, std::string_view cc,
               std::string_view bcc)
{
    const std::string address = mailtoAddress(to, subject, body, cc, bcc);
    try {
        return shell.startProgram({"xdg-email", address});
    } catch (const ShellError &) {
        // Desktops without the xdg-utils mail helper still open mailto:
        // addresses through their URL handler.
        return shell.startProgram({"xdg-open", address});
    }
}

} // namespace quorbel
