// Internal: the process-wide Firebird client interfaces and status handling.
#pragma once

#include <firebird/Interface.h>

#include <string>
#include <utility>

#include "base/errors.h"

namespace tarvek::fb {

Firebird::IMaster* master();
Firebird::IUtil* util();
Firebird::IProvider* provider();

// The library's own wording of an error status, one line per status entry.
std::string status_text(const Firebird::IStatus* status);
[[noreturn]] void raise(const Firebird::IStatus* status);

// Runs `call` with a status wrapper and turns a client error into FirebirdError.
template <typename Call>
auto checked(Call&& call) {
    Firebird::ThrowStatusWrapper status(master()->getStatus());
    struct Dispose {
        Firebird::ThrowStatusWrapper& s;
        ~Dispose() { s.dispose(); }
    } dispose{status};
    try {
        return std::forward<Call>(call)(&status);
    } catch (const Firebird::FbException& e) {
        raise(e.getStatus());
    }
}

}  // namespace tarvek::fb
