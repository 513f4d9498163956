#include "platform/chatreader/markup.h"

namespace chatreader {

std::string StripTags(std::string_view text) {
    std::string plain;
    plain.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t open = text.find('<', pos);
        std::size_t close = open == std::string_view::npos ? open : text.find('>', open);
        if (close == std::string_view::npos) {
            plain.append(text.substr(pos));
            break;
        }
        plain.append(text.substr(pos, open - pos));
        pos = close + 1;
    }
    return plain;
}

}  // namespace chatreader
