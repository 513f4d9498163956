#pragma once
// Makes the objects of one class; a library hands one out per class it serves.

#include <string_view>

#include "platform/com/status.h"
#include "platform/com/unknown.h"

namespace com {

class ClassFactory : public Unknown {
  public:
    static constexpr std::string_view kInterfaceName = "com.ClassFactory";

    // A new object holding one reference, which the caller owns.
    virtual Status CreateInstance(Unknown** object) = 0;

  protected:
    ~ClassFactory() = default;
};

}  // namespace com
