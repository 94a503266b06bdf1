#pragma once

// The boundary between a host of add-ins and an add-in library: the C entry
// points a host resolves by name, and the class objects they hand out. Host
// and add-in are built by the same compiler from this header and
// platform/vbe.h. No exception crosses the boundary: every entry point and
// every member of ClassObject catches what it calls and reports failure as
// an error text.

#include "platform/vbe.h"

#include <cstddef>
#include <memory>

class QWidget;

namespace quorbel::abi {

// The class factory of one ProgID. Owned by the library; valid until the
// library is unloaded.
class ClassObject {
public:
    virtual ~ClassObject() = default;
    // A new connection object, for an add-in class (e.g. Quorbel.Wizard);
    // null with error set for a control class or on failure.
    virtual std::unique_ptr<vbe::AddInConnection> createConnection(std::string &error) noexcept = 0;
    // A new control under parent, for a control class (e.g.
    // Quorbel.VBCodeBox); null with error set otherwise.
    virtual QWidget *createControl(QWidget *parent, std::string &error) noexcept = 0;
};

} // namespace quorbel::abi

extern "C" {

// Every entry point returns 0 on success. On failure it returns non-zero and
// writes an error text, cut to fit and NUL-terminated, into error (of
// errorSize bytes; error may be null when errorSize is 0).

// Writes (removes) the library's add-ins in the host's per-user add-in list:
// ProgID, display name, the library's own path. addinList is the list file,
// or null for the user's default one.
typedef int (*QuorbelRegisterFn)(const char *addinList, char *error, std::size_t errorSize);
typedef int (*QuorbelUnregisterFn)(const char *addinList, char *error, std::size_t errorSize);
// The class object of progId; null with error set for an unknown ProgID.
typedef quorbel::abi::ClassObject *(*QuorbelGetClassObjectFn)(const char *progId, char *error, std::size_t errorSize);
// Non-zero when nothing made by the library is alive and it may be unloaded.
typedef int (*QuorbelCanUnloadFn)();
// The library's version ("1.1.0") and description, static texts.
typedef const char *(*QuorbelTextFn)();
}

namespace quorbel::abi {

// The names under which a host resolves the entry points.
inline constexpr const char *kRegisterEntry = "QuorbelRegisterServer";
inline constexpr const char *kUnregisterEntry = "QuorbelUnregisterServer";
inline constexpr const char *kGetClassObjectEntry = "QuorbelGetClassObject";
inline constexpr const char *kCanUnloadEntry = "QuorbelCanUnloadNow";
inline constexpr const char *kVersionEntry = "QuorbelVersion";
inline constexpr const char *kDescriptionEntry = "QuorbelDescription";

} // namespace quorbel::abi
