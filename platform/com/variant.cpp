#include "platform/com/variant.h"

#include <cmath>
#include <limits>

#include "platform/text/text.h"

namespace com {
namespace {

bool IsNumberKind(Variant::Kind kind) {
    return kind == Variant::Kind::Bool || kind == Variant::Kind::Int32 ||
           kind == Variant::Kind::Double || kind == Variant::Kind::Int16Ref;
}

template <class Int>
Status ToWhole(const Variant& value, Int& out) {
    double number = 0;
    if (const Status status = ToDouble(value, number); status != Status::Ok) return status;
    const double whole = text::RoundHalfEven(number);
    // Written so that NaN fails the range test too.
    if (!(whole >= std::numeric_limits<Int>::min() && whole <= std::numeric_limits<Int>::max()))
        return Status::Overflow;
    out = static_cast<Int>(whole);
    return Status::Ok;
}

}  // namespace

Variant Variant::ReferTo(std::int16_t& target) {
    Variant reference;
    reference.m_value = &target;
    return reference;
}

Status ToDouble(const Variant& value, double& out) {
    switch (value.kind()) {
        case Variant::Kind::Empty:
            out = 0;
            return Status::Ok;
        case Variant::Kind::Bool:
            out = value.bool_value() ? -1 : 0;
            return Status::Ok;
        case Variant::Kind::Int32:
            out = value.int32_value();
            return Status::Ok;
        case Variant::Kind::Double:
            out = value.double_value();
            return Status::Ok;
        case Variant::Kind::String:
            out = text::Val(value.string_value());
            return Status::Ok;
        case Variant::Kind::Int16Ref:
            if (value.int16_ref() == nullptr) return Status::TypeMismatch;
            out = *value.int16_ref();
            return Status::Ok;
    }
    return Status::TypeMismatch;
}

Status ToInt16(const Variant& value, std::int16_t& out) {
    return ToWhole(value, out);
}

Status ToInt32(const Variant& value, std::int32_t& out) {
    return ToWhole(value, out);
}

Status ToBool(const Variant& value, bool& out) {
    if (value.kind() == Variant::Kind::String) {
        const std::string trimmed = text::Trim(value.string_value());
        if (text::EqualsIgnoreCase(trimmed, "true")) {
            out = true;
            return Status::Ok;
        }
        if (text::EqualsIgnoreCase(trimmed, "false")) {
            out = false;
            return Status::Ok;
        }
    }
    double number = 0;
    if (const Status status = ToDouble(value, number); status != Status::Ok) return status;
    out = number != 0;
    return Status::Ok;
}

bool SameValue(const Variant& a, const Variant& b) {
    if (IsNumberKind(a.kind()) && IsNumberKind(b.kind())) {
        double x = 0;
        double y = 0;
        return ToDouble(a, x) == Status::Ok && ToDouble(b, y) == Status::Ok && x == y;
    }
    return a == b;
}

}  // namespace com
