#pragma once

#include "codebox/rtf.h"

#include <QString>

#include <vector>

namespace quorbel {

// The colour values runs carry for plain text and for each colour of
// whole-text colouring.
struct RunColours {
    qint32 text = 0;
    qint32 comment = 0;
    qint32 keyWord = 0;
    qint32 idWord = 0;
};

// A text coloured for a paste, as runs of one colour each.
struct PasteRuns {
    std::vector<RtfRun> runs;
    // The lines of the text (line breaks plus one).
    qint32 lines = 1;
};

// text (any line breaks) coloured as whole-text colouring colours it in a
// box of its own after a line break has been appended to it: every line of
// the text, the last included, is coloured in full (text colour first, then
// the comment and the words, keywords re-cased). The runs are those
// RichTextBox::SelRuns gives for the text without the appended line break:
// runs of one colour, each line break CR LF at the end of the run before it
// (a run of no colour of its own when nothing comes before it).
PasteRuns pasteRuns(const QString &text, const RunColours &colours);

} // namespace quorbel
