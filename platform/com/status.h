#pragma once
// Outcome of a call across a component boundary. Components never throw to their host: every
// call that can fail says how through one of these.

#include <string_view>

namespace com {

enum class Status : int {
    Ok = 0,
    UnknownMember,      // no property or event with that dispatch id
    BadArgumentCount,   // a put takes one value, a get none
    TypeMismatch,       // the value cannot be read as the property's type
    Overflow,           // the value is a number outside the property's range
    NoInterface,        // the object does not offer the interface asked for
    ClassNotAvailable,  // the library has no class of that name
    NotCreated,         // the host holds no object yet
    Failed,             // anything else, such as a registry file that cannot be written
};

// A short English description, for error texts shown to the user.
std::string_view StatusText(Status status);

}  // namespace com
