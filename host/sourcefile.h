#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quorbel::host {

class SourceFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The part of a module file that a code window shows: the text without the
// file's header, that is the leading VERSION line, the Object lines of a
// form, the designer block (Begin ... End, nested, keywords in any case) and
// the Attribute lines that follow. Only the top of the file is looked at; an
// Attribute line inside a procedure stays. text has CR LF line breaks.
std::string codeView(std::string_view text);

// One module as the host opens it.
struct SourceModule {
    std::string name; // the Attribute VB_Name value, else the file's stem
    std::string code; // UTF-8, CR LF, without the header
};

// Reads and decodes a .bas, .cls, .frm (or similar) file. Throws
// SourceFileError when it cannot be read.
SourceModule readModule(const std::filesystem::path &file);

} // namespace quorbel::host
