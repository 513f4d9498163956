#pragma once
// The markup of a chat line as the room shows it: the text split into runs of one style.
// Bold ("<b>"), underline ("<u>"), the font face ("<font face=...>" in any letter case and
// spacing, closed by "</font>") and links ("<a href=...>" up to "</a>") nest as tags; a line
// break tag starts a new line ("\n" in the text). Other tags are not shown, as the room hides
// them; a '<' that no '>' follows is shown as text with everything after it.

#include <string>
#include <string_view>
#include <vector>

namespace view {

struct TextRun {
    std::string text;
    bool bold = false;
    bool underline = false;
    std::string face;  // "" for the room's own face
    std::string link;  // the address of a link; "" outside links
    bool operator==(const TextRun&) const = default;
};

// Runs in order, neighbours of the same style joined; no run is empty.
std::vector<TextRun> ParseMarkup(std::string_view line);

}  // namespace view
