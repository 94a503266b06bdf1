#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// Properties that must hold for any input of the parsers of untrusted text.
// Each check runs one input; it returns when every property holds and throws
// PropertyViolation naming the property otherwise. The fuzz targets call
// them (a violation aborts the run and libFuzzer keeps the input); the
// ordinary test run replays the kept inputs through the same functions.
namespace quorbel::fuzz {

class PropertyViolation : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// Quorbel_OBJ over the bytes as a text: no message, the block's wrapper,
// every line's text kept (tags removed, "&lt;" and "&amp;" restored; the
// appended blank, the anchor lines and the rule lines aside), the same
// lines from line2html line by line, and every anchor naming a recorded
// name and every recorded name anchored.
// Then checkStreamedBlock.
void checkQuorbelObj(std::string_view text);
// The bytes as a source text with any line breaks, streamed in small batches
// on two threads: the same block, line count, names and state as Quorbel_OBJ
// over the text with its breaks made CR LF.
void checkStreamedBlock(std::string_view text);
// line2html over the bytes as one line: its text kept, the line left
// prepared, at most one anchor before and one rule after it.
void checkLine2html(std::string_view line);
// GetCodeOnly: same length, every quote kept, only blanks written, and the
// result of the blanking loop written out plainly; the declaration search
// agrees with the plain search for a Sub, then a Function.
void checkCodeOnly(std::string_view line);
// The keyword test agrees with a plain search of the list.
void checkKeyWord(std::string_view word);
// A sequence of settings operations decoded from the bytes gives the same
// answers from the in-memory store and the SQLite store (keys in any case).
void checkSettingsKeys(std::string_view operations);

// Source decoding (no encoding named) gives valid UTF-8 with CR LF line
// breaks, keeps valid UTF-8 as it is, and changes nothing the second time.
void checkSourceDecoding(std::string_view bytes);
// The RTF reader, from bytes and from text: no empty run, no neighbours of
// one colour, colours in range; the writer's RTF of the runs reads back as
// the same runs.
void checkRtf(std::string_view bytes);

// The check named name over one input; false when there is no such check.
// The engine's checks link no Qt; the code box's need Qt Core.
bool checkEngineByName(std::string_view name, std::string_view input);
bool checkCodeBoxByName(std::string_view name, std::string_view input);
// Any check of either half.
bool checkByName(std::string_view name, std::string_view input);

} // namespace quorbel::fuzz
