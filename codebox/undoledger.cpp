#include "codebox/undoledger.h"

#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace quorbel {

UndoLedger::UndoLedger(QTextDocument &document) : m_document(document)
{
    m_connection = QObject::connect(&document, &QTextDocument::undoCommandAdded, [this] { onCommandAdded(); });
}

UndoLedger::~UndoLedger()
{
    QObject::disconnect(m_connection);
}

bool UndoLedger::hasUserStep() const
{
    const int commands = m_document.availableUndoSteps();
    for (int i = 0; i < commands; ++i) {
        if (!isProgrammatic(i))
            return true;
    }
    return false;
}

void UndoLedger::beginProgrammaticEdit()
{
    if (m_editDepth++ > 0)
        return;
    m_editHadUserStep = hasUserStep();
    if (!m_editHadUserStep && m_document.isUndoRedoEnabled()) {
        // Nothing recorded now would be kept: recording it only costs time.
        m_undoSuspended = true;
        m_document.setUndoRedoEnabled(false);
    }
    QTextCursor(&m_document).beginEditBlock();
}

bool UndoLedger::endProgrammaticEdit()
{
    if (m_editDepth == 0 || --m_editDepth > 0)
        return false;
    m_closingEdit = true;
    QTextCursor(&m_document).endEditBlock();
    m_closingEdit = false;
    if (std::exchange(m_undoSuspended, false))
        m_document.setUndoRedoEnabled(true);
    // Colouring a freshly loaded text must not be undoable on its own, and
    // with no user step below it there is nothing for it to go with.
    if (!m_editHadUserStep)
        forget();
    return true;
}

void UndoLedger::onCommandAdded()
{
    // The history counts commands: the new step is every command after the
    // state last seen; a new step also drops the commands that could have
    // been redone.
    const int commands = m_document.availableUndoSteps();
    const int first = std::clamp(m_undoState, 0, std::max(commands - 1, 0));
    m_programmatic.resize(static_cast<std::size_t>(first), false);
    m_programmatic.resize(static_cast<std::size_t>(commands), m_closingEdit || m_editDepth > 0);
    m_undoState = commands;
}

bool UndoLedger::isProgrammatic(int index) const
{
    return index >= 0 && static_cast<std::size_t>(index) < m_programmatic.size() &&
           m_programmatic[static_cast<std::size_t>(index)];
}

void UndoLedger::forget()
{
    m_document.clearUndoRedoStacks();
    m_programmatic.clear();
    m_undoState = 0;
}

bool UndoLedger::undoUserStep(QTextCursor &cursor)
{
    if (!hasUserStep())
        return false;
    while (m_document.availableUndoSteps() > 0) {
        const bool programmatic = isProgrammatic(m_document.availableUndoSteps() - 1);
        m_document.undo(&cursor);
        if (!programmatic)
            break;
    }
    m_undoState = m_document.availableUndoSteps();
    return true;
}

bool UndoLedger::redoUserStep(QTextCursor &cursor)
{
    if (m_document.availableRedoSteps() == 0)
        return false;
    m_document.redo(&cursor);
    while (m_document.availableRedoSteps() > 0 && isProgrammatic(m_document.availableUndoSteps()))
        m_document.redo(&cursor);
    m_undoState = m_document.availableUndoSteps();
    return true;
}

} // namespace quorbel
