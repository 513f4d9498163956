#include "platform/com/status.h"

namespace com {

std::string_view StatusText(Status status) {
    switch (status) {
        case Status::Ok:
            return "ok";
        case Status::UnknownMember:
            return "no such member";
        case Status::BadArgumentCount:
            return "wrong number of arguments";
        case Status::TypeMismatch:
            return "type mismatch";
        case Status::Overflow:
            return "overflow";
        case Status::NoInterface:
            return "interface not supported";
        case Status::ClassNotAvailable:
            return "class not available";
        case Status::NotCreated:
            return "no object created";
        case Status::Failed:
            return "failed";
    }
    return "unknown status";
}

}  // namespace com
