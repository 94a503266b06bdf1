#pragma once

#include "engine/codeonly.h"

#include <iterator>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorbel {

// What the line colouriser carries from one line to the next and hands to
// the page writer: the names of the declarations found in the current
// conversion and whether a comment continues on the next line. Only current
// names are kept: a restart forgets the names of the conversion before.
// There is no limit on their number. One object per conversion context,
// owned by the caller (the process state of the add-in or the command line).
class ColouriserState {
public:
    // Starts a conversion: no names, and no comment continuing from the
    // conversion before.
    void restart()
    {
        clearNames();
        m_commentContinues = false;
    }
    // Ends a conversion: its names are forgotten, the comment continuation
    // stays.
    void clearNames()
    {
        m_functions.clear();
        m_subs.clear();
    }
    // Records name as the next name of its kind; returns the stored copy.
    const std::string &record(Declaration kind, std::string_view name) { return list(kind).emplace_back(name); }
    // The names of kind in order of recording, as they stand in the code
    // (not escaped): entry n - 1 is the name of the n-th declaration.
    std::span<const std::string> names(Declaration kind) const
    {
        return kind == Declaration::Function ? m_functions : m_subs;
    }
    int count(Declaration kind) const { return static_cast<int>(names(kind).size()); }
    // Moves the names that batch recorded to the end of these (batch held
    // the lines that follow these); batch keeps no names.
    void append(ColouriserState &&batch)
    {
        for (auto [to, from] : {std::pair{&m_functions, &batch.m_functions}, std::pair{&m_subs, &batch.m_subs}}) {
            to->insert(to->end(), std::make_move_iterator(from->begin()), std::make_move_iterator(from->end()));
            from->clear();
        }
    }

    // append for every batch in turn, the room for all their names taken
    // at once: a list grown name by name would be copied, and fresh memory
    // faulted in, several times over.
    void appendAll(std::span<ColouriserState> batches)
    {
        std::size_t functions = m_functions.size();
        std::size_t subs = m_subs.size();
        for (const ColouriserState &batch : batches) {
            functions += batch.m_functions.size();
            subs += batch.m_subs.size();
        }
        m_functions.reserve(functions);
        m_subs.reserve(subs);
        for (ColouriserState &batch : batches)
            append(std::move(batch));
    }

    bool commentContinues() const { return m_commentContinues; }
    void setCommentContinues(bool continues) { m_commentContinues = continues; }

private:
    std::vector<std::string> &list(Declaration kind) { return kind == Declaration::Function ? m_functions : m_subs; }

    std::vector<std::string> m_functions;
    std::vector<std::string> m_subs;
    bool m_commentContinues = false;
};

} // namespace quorbel
