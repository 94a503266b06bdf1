#pragma once

#include "engine/progress.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

class MessageBoxes;
class ColouriserState;

// Takes the pieces of a code block in order. It may throw (a page that
// cannot be written); the streaming then stops and the error reaches the
// caller.
using BlockSink = std::function<void(std::string_view)>;

struct StreamOptions {
    StreamOptions() = default;
    StreamOptions(unsigned threadCount, std::size_t bytesPerBatch = 0) : threads(threadCount), batchBytes(bytesPerBatch)
    {
    }

    // Threads that colour lines; 0 takes one per processor.
    unsigned threads = 0;
    // About this many bytes of source go into one piece of the block; 0
    // lets the text's size choose (see batchBytesFor).
    std::size_t batchBytes = 0;
    // The page writer refuses a text that is not valid UTF-8 (its result
    // says so) before it changes anything: a caller can pass the bytes of a
    // file on unchecked, and decode them only when they are not UTF-8, so
    // that the text is read once for the names and the check together.
    bool requireUtf8 = false;
    // Told after every batch handed on and at the end (see ProgressHook);
    // when it says stop, streamCodeBlock throws ConversionStopped and hands
    // nothing more to its sink.
    ProgressHook progress;
    // When set, rewrites the HTML of each batch of whole code lines before
    // it goes to the sink, on the calling thread and in the order of the
    // lines (the command line's project mode adds its links there). Never
    // given the block's head or foot.
    std::function<void(std::string &html)> decorate;
};

// What the names pass learns of a text besides its names.
struct SourceFacts {
    bool validUtf8 = true; // well-formed UTF-8 (see isValidUtf8)
    bool nonAscii = false; // a byte outside ASCII
};

// The functions below take a source text as a file holds it once decoded:
// its line breaks may be CR LF, LF or a lone CR, each one break, as
// decodeSource would make them CR LF. Nothing is copied to change them: each
// piece is mended on its own as it is coloured.

// Colours text, with the CR LF that a conversion appends to its source,
// into a code block and hands the block to sink piece by piece: the same
// bytes that Colouriser::Quorbel_OBJ returns for a text box holding the
// mended text and that CR LF. The block is never held in memory as a whole,
// and the lines are coloured on several threads: a page of many megabytes
// then costs a few megabytes of memory besides its source, and fresh memory
// is what a conversion of a large file spends most of its time on.
//
// The text is cut into batches of whole lines, each cut after a line that
// cannot continue a comment, so that each batch starts in the state the
// lines before it leave; the batches are coloured in any order and handed
// on in order. A batch whose HTML outgrows about a megabyte (one long line,
// say) is handed on in pieces while it is still coloured, so that a line
// of any length costs no more memory than its source; should its colouring
// fail after that (out of memory), the block stops after those pieces. state ends as after Quorbel_OBJ (counters
// restarted, names in order, the comment continuation of the last line); messages are shown on the calling thread, in
// the order of the lines. Returns the number of lines the text box would count.
int streamCodeBlock(std::string_view text, std::string_view textColour, std::string_view keyColour,
                    std::string_view idColour, std::string_view commentColour, ColouriserState &state,
                    MessageBoxes &messages, const BlockSink &sink, const StreamOptions &options = {});

// Records in state the names that the lines of text declare, as colouring
// them would, after restarting the counters: what a page needs before its
// block (the comment block lists them). Each batch is also checked for
// UTF-8 while it is at hand (a cut after a line break never splits a
// character).
SourceFacts collectNames(std::string_view text, ColouriserState &state, const StreamOptions &options = {});

// The batch size for a text of textSize bytes when asked is 0: a batch of
// 64 KB for texts up to 2 MB (enough batches to keep every processor busy
// on a module of a few hundred KB), growing with the text up to 256 KB (each
// batch costs the threads a hand-over and the page a write).
std::size_t batchBytesFor(std::size_t textSize, std::size_t asked);

// Where text is cut into batches of about batchBytes bytes: the start of
// every batch after the first. Each cut follows a line break whose line does
// not end with "_".
std::vector<std::size_t> batchStarts(std::string_view text, std::size_t batchBytes);

} // namespace quorbel
