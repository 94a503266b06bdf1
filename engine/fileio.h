#pragma once

#include "platform/fileerror.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace quorbel {

class MessageBoxes;

// The whole file as bytes. Throws FileError (missing, unreadable, a folder).
std::string readFileBytes(const std::string &path);
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
// The part of fileName before its last backslash; empty when it has none.
std::string GetDir(std::string_view fileName);
// Whether path names a normal file (a folder is not one; links are followed).
bool FileExists(const std::string &path);

} // namespace quorbel
