#pragma once

#include <QMetaObject>

#include <vector>

class QTextCursor;
class QTextDocument;

namespace quorbel {

// Keeps a QTextDocument's undo history in user steps. User edits (typing,
// paste, drop, cut) are undo steps of their own. Edits made between
// beginProgrammaticEdit and endProgrammaticEdit (colouring, re-casing,
// appended line breaks) never form a step of their own: undoUserStep takes
// back the user's last step together with the programmatic edits that
// followed it, and programmatic edits made while there is no user step to
// undo are kept out of the history altogether.
//
// The ledger watches the document's undoCommandAdded signal; it must not
// outlive the document.
class UndoLedger {
public:
    explicit UndoLedger(QTextDocument &document);
    ~UndoLedger();
    UndoLedger(const UndoLedger &) = delete;
    UndoLedger &operator=(const UndoLedger &) = delete;

    // Calls nest; the outermost pair decides. The whole of an edit is one
    // edit block of the document.
    void beginProgrammaticEdit();
    // True when this call closed the outermost edit.
    bool endProgrammaticEdit();
    bool inProgrammaticEdit() const { return m_editDepth > 0; }

    // Takes back the last user step and the programmatic edits made after
    // it, moving cursor as the document's undo does; false (and nothing
    // done) when there is no user step to take back.
    bool undoUserStep(QTextCursor &cursor);
    // Brings back the next step and the programmatic edits that followed
    // it; false when there is nothing to redo.
    bool redoUserStep(QTextCursor &cursor);
    // Empties the document's undo history and the ledger.
    void forget();

private:
    void onCommandAdded();
    bool isProgrammatic(int index) const;
    bool hasUserStep() const;

    QTextDocument &m_document;
    QMetaObject::Connection m_connection;
    int m_editDepth = 0;
    bool m_editHadUserStep = false;
    bool m_undoSuspended = false;
    bool m_closingEdit = false;
    // For each command of the document's undo history, oldest first:
    // whether a programmatic edit made it. (A step, as undo takes it back,
    // is one or more commands.)
    std::vector<bool> m_programmatic;
    int m_undoState = 0; // commands that could be undone after the last change seen
};

} // namespace quorbel
