#pragma once

#include "platform/filedialogs.h"
#include "platform/shell.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace quorbel::testing {

// File dialogs that answer from a script (a path, or nullopt for a cancel;
// a cancel when the script is empty) and record every call.
class ScriptedFileDialogs : public FileDialogs {
public:
    struct Call {
        Kind kind;
        std::string filter;
        std::string fileName;
    };
    std::optional<std::string> show(Kind kind, std::string_view filter, std::string_view fileName) override
    {
        calls.push_back({kind, std::string(filter), std::string(fileName)});
        if (answers.empty())
            return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::vector<Call> calls;
    std::deque<std::optional<std::string>> answers;
};

// A shell that records the documents opened and the programs started;
// starting a program named in missing fails.
class RecordingShell : public Shell {
public:
    void openDocument(const std::string &pathOrUrl) override { started.push_back({"open", pathOrUrl}); }
    long startProgram(const std::vector<std::string> &argv) override
    {
        started.push_back(argv);
        for (const auto &m : missing) {
            if (argv.front() == m)
                throw ShellError("cannot start " + m + ": No such file or directory");
        }
        return 4242;
    }
    std::vector<std::vector<std::string>> started;
    std::vector<std::string> missing;
};

} // namespace quorbel::testing
