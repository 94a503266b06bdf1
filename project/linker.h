#pragma once

#include "project/codereader.h"
#include "project/symbols.h"

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel::project {

// Adds the project's links to the code block of one module's page: each
// call of a procedure the project declares links to the procedure's
// anchor, each GoTo, GoSub, Resume and On ... GoTo target to its label's
// anchor, and the anchors that a linked page adds (property procedures,
// labels) are put in. Only tags are added, around or before the words:
// the text and the colours a browser shows stay as they are (a link takes
// the colour of the text it stands in and is not underlined).
class CodeLinker {
public:
    CodeLinker(const ProjectSymbols &symbols, std::size_t module);

    // html holds whole lines of the code block (each ending with CR LF),
    // given in order; rewritten in place.
    void decorate(std::string &html);
    // One line of the block, without its line break.
    std::string decorateLine(std::string_view html);

private:
    struct Insert {
        std::size_t at; // offset in the line's HTML
        std::string tag;
    };
    void linkTokens(const CodeLine &line, const std::vector<std::size_t> &htmlStart,
                    const std::vector<std::size_t> &htmlEnd, std::vector<Insert> &inserts);
    // The opening tag of a link to anchor of target's module.
    std::string linkTag(const Target &target, std::string_view anchor) const;
    // An anchor line of the page writer, with the anchor's unique name.
    std::string uniqueAnchorLine(std::string_view html);

    const ProjectSymbols &m_symbols;
    std::size_t m_module;
    CodeReader m_reader;
    std::size_t m_nextProcedure = 0;
    const Procedure *m_procedure = nullptr;
    std::size_t m_nextAnchor = 0; // the page writer's anchors met so far
    std::set<std::string> m_locals;
    // The visible text of the line at hand and where each of its bytes
    // starts and ends in its HTML, reused from line to line.
    std::string m_text;
    std::vector<std::size_t> m_start, m_end; // folded names of the current procedure's parameters and variables
};

} // namespace quorbel::project
