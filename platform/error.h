#pragma once

#include <stdexcept>

namespace quorbel {

// The base of the errors the system raises itself (a store, a file, the
// shell, a conversion, a control, the command line): a caller that reports
// them catches one type, and tells them from faults of the library below
// (std::bad_alloc, std::logic_error). what() is one line for the user.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace quorbel
