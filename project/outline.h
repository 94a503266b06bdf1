#pragma once

#include "project/codereader.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorbel::project {

// A line label of a procedure and the anchor a linked page gives it.
struct Label {
    std::string name;   // as written (a name or a line number)
    std::string anchor; // empty: no anchor (its name would not be unique)
};

// An anchor the page writer puts in a page, and its name on a linked page:
// the same unless an anchor before it has that name ("Name~2" then).
struct PageAnchor {
    std::string written;
    std::string unique;
};

// One procedure of a module.
struct Procedure {
    ProcedureKind kind;
    std::string name;
    bool isPublic = true;
    // The anchor of its declaration on a linked page: for a Sub or Function
    // the one the page writer puts there (empty when it puts none), renamed
    // when the page writer used its name before (see PageAnchor); for a
    // property procedure one the linked page adds ("Name.Get", "Name.Let",
    // "Name.Set").
    std::string anchor;
    std::string writtenAnchor; // a Sub's or Function's anchor as the page writer names it
    bool anchorAdded = false;  // the linked page adds the anchor
    std::vector<Label> labels;
};

// What a module declares: its procedures in order and the names of its
// module-level variables, constants and Enum members (ASCII letters in
// lower case), and of those the Public ones.
struct ModuleOutline {
    std::vector<Procedure> procedures;
    std::vector<std::string> variables;
    std::vector<std::string> publicNames;
    // The anchors the page writer puts in the page, in order.
    std::vector<PageAnchor> pageAnchors;

    // The procedures named name (any case), in order.
    std::vector<const Procedure *> named(std::string_view name) const;
};

// The outline of a module's decoded source text (line breaks CR LF, LF or
// CR). Every anchor added is unique in the page, the page writer's own
// anchors counted.
ModuleOutline outlineModule(std::string_view text);

// name with ASCII letters in lower case (names compare without regard to case).
std::string foldedName(std::string_view name);

// The words a Dim, ReDim, Static or Const statement at tokens [from, to)
// of line declares, as token indices.
std::vector<std::size_t> declaredVariables(const CodeLine &line, std::size_t from, std::size_t to);

} // namespace quorbel::project
