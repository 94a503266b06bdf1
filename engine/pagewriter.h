#pragma once

#include "engine/blockstream.h"
#include "engine/engineservices.h"

#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace quorbel {

class Label;
class PageSet;
class TextControl;
struct PageFiles;
struct PageState;

// The head line that declares the page's character set, written right after
// the GENERATOR line when a page holds text outside ASCII.
inline constexpr std::string_view kCharsetMeta = "<META HTTP-EQUIV='Content-Type' CONTENT='text/html; charset=utf-8'>";

// What a streamed conversion did.
enum class PageOutcome {
    Written, // the pages are written
    Empty,   // an empty text: nothing was changed
    NotUtf8, // options.requireUtf8 and the text is not UTF-8: nothing was changed
    Stopped, // the progress hook said stop (see PageWriter::setProgress)
};

// Writes the HTML page set of a source text: the code page, and in frames
// mode the header page with the Sub and Function lists and the frame page.
class PageWriter {
public:
    PageWriter(PageState &state, EngineServices services);

    // Converts the text of sourceBox and writes the pages for the target
    // fileName; returns the code block. An empty box gives the empty text and
    // changes nothing. Otherwise appends CR LF to the box's text, replaces
    // every page file and sets the label to the timing line ("0.125 seconds
    // line count = 42"). The pages are written into temporary files and
    // replace the old ones together once all are written (see PageSet): a
    // failure leaves the old set as it was. Errors are not trapped:
    // ConversionError (target without extension, a folder in the way, a bad
    // setting value), FileError (a page that cannot be written) and
    // SettingsError reach the caller.
    std::string srcToHTML(TextControl &sourceBox, const std::string &fileName, Label &infoLabel);
    // The single code page that srcToHTML would write with frames off, final
    // line break included, without touching any file; sets the label like
    // srcToHTML. An empty box gives the empty text and changes nothing.
    std::string singlePage(TextControl &sourceBox, Label &infoLabel);
    // srcToHTML and singlePage for a caller that does not want the code
    // block back (the command line), from a source text as a file holds it
    // once decoded: its line breaks may be CR LF, LF or a lone CR, each one
    // break. The code page goes to its file (to sink) piece by piece as its
    // lines are coloured, on several threads, so that a source of any size
    // needs only a few megabytes besides its text. The pages are those that
    // srcToHTML (singlePage) makes from a box holding the text with its
    // breaks made CR LF, byte for byte. The result says what was done (see
    // PageOutcome); errors are thrown as by srcToHTML.
    PageOutcome writePages(std::string_view text, const std::string &fileName, Label &infoLabel,
                           const StreamOptions &options = {});
    PageOutcome writeSinglePage(std::string_view text, Label &infoLabel, const BlockSink &sink,
                                const StreamOptions &options = {});

    // Every conversion of this writer tells hook how far it has got (the
    // streamed ones when options carry no hook of their own). When the hook
    // says stop: srcToHTML and singlePage throw ConversionStopped before
    // they write anything (the folder of a page set may have been made);
    // writePages and writeSinglePage give PageOutcome::Stopped and write
    // nothing further: the code page (the sink) holds the lines coloured
    // up to then, without its end, and the header and frame pages of an
    // earlier set, if any, stay as they were. The name lists are cleared.
    void setProgress(ProgressHook hook) { m_progress = std::move(hook); }

    // The header page: the SUBS list, the FUNCTIONS list and the script that
    // shows the chosen declaration in the code frame. On an error shows
    // "Error 2 : Error writing HTML header " and gives the empty text.
    std::string writeHeaderPage();
    // One drop-down list of every name (writeSubs has no error trap of its
    // own; writeFunctions shows "Error 2 : Error writing HTML within Function
    // 'writeFunctions'" and gives the empty text).
    std::string writeSubs(std::span<const std::string> names);
    std::string writeFunctions(std::span<const std::string> names);

private:
    // The code page in three pieces: head (up to and including the PRE
    // that opens the code), the code block and the foot. A page of many
    // megabytes is written from its pieces, never joined in memory.
    struct CodePage {
        std::string head;
        std::string block;
        std::string foot;
        int lineCount = 0;
    };
    struct CodeColours {
        std::string text, key, id, comment;
    };
    CodeColours codeColours() const;
    // Reads the settings, colours the box's lines and assembles the code
    // page; the box already ends with the added line break.
    CodePage buildCodePage(TextControl &sourceBox);
    // The names of text into the state, and what else that pass learns.
    SourceFacts namesOf(std::string_view text, const StreamOptions &options);
    // Whether facts refuse the text (options require UTF-8, and it is not).
    static bool refused(const SourceFacts &facts, const StreamOptions &options);
    // The head and foot of the code page of a text with those facts.
    CodePage framedCodePage(const SourceFacts &facts, const CodeColours &colours);
    // The code page of text (its names collected, code framed), handed to
    // sink in pieces; returns the line count.
    int streamCodePage(std::string_view text, const CodePage &code, const CodeColours &colours, const BlockSink &sink,
                       const StreamOptions &options);
    // The head and the foot of the code page (into code); blockNonAscii
    // tells whether its block holds text outside ASCII.
    void frameCodePage(CodePage &code, bool blockNonAscii);
    // The page files of fileName (sets the page extension); throws
    // ConversionError for a target refused.
    PageFiles targetFiles(const std::string &fileName);
    // Starts the pages of files in set (the folder of the set when the
    // settings want one, the frame page, the code page and the header page);
    // returns the code page's index.
    std::size_t startPages(const PageFiles &files, PageSet &set) const;
    // After the code page: the timing line, the header and frame pages, and
    // the set put in place.
    void finishPages(const PageFiles &files, PageSet &set, Label &infoLabel, double start, int lineCount);
    std::string framePage(const PageFiles &files) const;
    std::string selectList(std::string_view listName, std::span<const std::string> names) const;
    std::string setting(std::string_view key) const;
    // The timing line: seconds since start and the line count.
    void setTiming(Label &infoLabel, double start, int lineCount) const;

    PageState &m_state;
    ProgressHook m_progress;
    // By value: a struct of references, so that a temporary handed in
    // does not leave a dangling reference.
    EngineServices m_services;
};

} // namespace quorbel
