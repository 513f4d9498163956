#include "common/scramble.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "common/chat.h"
#include "platform/loop/loop.h"
#include "platform/text/text.h"

namespace {

// Draws the letters one by one from those not drawn yet, each equally likely. Swapping the drawn
// letter into place keeps this linear, so a very long word costs no more than its length.
std::string ScrambleWord(std::string word) {
    std::size_t length = word.size();
    for (std::size_t taken = 0; taken + 1 < length; ++taken) {
        std::size_t left = length - taken;
        auto pick = static_cast<std::size_t>(static_cast<double>(left) * loop::Rnd());
        std::swap(word[taken], word[taken + std::min(pick, left - 1)]);
    }
    return word;
}

int HintCount(const std::string& count) {
    return text::RoundHalfEven16(text::Val(count));
}

// Runs the steps of a hint: one round of events for each, the hint of the last step that still
// fits the word kept.
template <class MakeHint>
std::string ComposeHint(const std::string& word, const std::string& count, MakeHint make) {
    int n = HintCount(count);
    std::string hint;
    for (int k = 1; k <= n; ++k) {
        if (static_cast<std::size_t>(k) <= word.size()) hint = make(static_cast<std::size_t>(k));
        loop::DoEvents();
    }
    return hint;
}

}  // namespace

std::string ScrambleWords(std::string text) {
    std::string result;
    std::string_view rest = text;
    for (;;) {
        loop::DoEvents();
        if (!rest.empty() && rest.front() == ' ') {
            result.push_back(' ');
            rest.remove_prefix(1);
            continue;
        }
        auto blank = rest.find(' ');
        std::string_view word = rest.substr(0, blank);
        rest.remove_prefix(word.size());
        result += ScrambleWord(std::string(word));
        if (rest.empty()) return result;
    }
}

void SendHint(std::string word, std::string count) {
    std::string hint = ComposeHint(word, count, [&word](std::size_t k) {
        return word.substr(0, k) + std::string(word.size() - k, '-');
    });
    SendChat("<b>[</b> Hint: " + hint + " <b>]</b>");
}

void SendBackwardsHint(std::string word, std::string count) {
    std::string hint = ComposeHint(word, count, [&word](std::size_t k) {
        return std::string(word.size() - k, '-') + word.substr(word.size() - k);
    });
    SendChat("<b>[</b> <u>Backwards</u> Hint: " + hint + " <b>]</b>");
}

std::string ReverseText(std::string text) {
    std::reverse(text.begin(), text.end());
    return text;
}

std::int16_t WordsPerMinute(const std::string& text, double seconds) {
    double fixed_seconds = text::RoundHalfEven(seconds * 10000.0) / 10000.0;
    if (fixed_seconds == 0) return 0;
    double speed = static_cast<double>(text.size()) * 60.0 / (fixed_seconds * 5.0);
    return text::RoundHalfEven16(text::Val(text::TwoDecimals(speed)));
}
