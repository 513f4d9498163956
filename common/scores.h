#pragma once
// Score lists: one list-box entry per player, written "name - score", kept in the list box
// itself. The posting helpers read each entry when its line goes out, so points scored during
// a posting show in the lines that follow.

#include <string>
#include <string_view>

#include "platform/forms/controls.h"

// One entry of a score list, taken apart.
struct ScoreEntry {
    std::string name;
    double score = 0;
};

// The name is everything before the last " - " and the score the number at the start of what
// follows it (0 when there is none), so names may hold hyphens and " - " themselves. An entry
// without " - " is split at its first "-" (the name ends two characters before it); one without
// any "-" is all name, with the score 0.
ScoreEntry ParseScoreEntry(std::string_view entry);

// name & " - " & score, the score in its shortest decimal form.
std::string FormatScoreEntry(std::string_view name, double score);

// Adds `points` to the player's entry (names compared ignoring case) and moves it to the end of
// the list under the name as given now; a player without an entry gets one at the end. Gives
// the index of the player's entry, the last one.
int AddScore(forms::ListBox& list, const std::string& name, double points);

// Puts the highest score first. Equal scores are exchanged too, which fixes their order: A, B
// stay A, B; A, B, C become C, A, B.
void SortScores(forms::ListBox& list);

// Who holds the highest score, found after one round of pending events.
struct TopScore {
    std::string names;  // in list order, joined by ", "
    double best = 0;
    bool tie = false;
};
TopScore FindTopScore(forms::ListBox& list);

// Posts the winner (or winners) header and gives the line that the caller posts straight after
// it; "" and nothing posted for an empty list.
std::string AnnounceWinners(forms::ListBox& list);

// The last winner's text as it is stored with the settings; "" for an empty list.
std::string WinnerText(forms::ListBox& list);

// Sorts the list and posts the three best entries one second apart under a header. A list of
// fewer than three entries gets a message box instead, and is left as it is.
void SendTopThree(forms::ListBox& list);

// Posts every entry in its own frame, pausing one second after each line. The number of lines is
// the number of entries at the start.
void SendListLines(forms::ListBox& list);
