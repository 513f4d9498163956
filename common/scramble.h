#pragma once
// Scrambled words, hints that uncover a word from the front or the back, and typing speed.

#include <cstdint>
#include <string>

// Every word (blank-separated; only the space is a blank) with its letters in a random order,
// each order equally likely; blanks keep their places. Pending events run before each word and
// each blank. Draws from the program's generator without seeding it. The text is taken by value:
// the events may change the caller's copy meanwhile.
std::string ScrambleWords(std::string text);

// The count is read as the number at the start of the text, rounded halves to even (clamped to
// 16 bits). Both hints run one round of pending events per step of the count, then post.
// The hint is for the word as given, whatever the events do to the caller's copy.
// Front hint: the first `count` characters, every later character (blanks too) as "-".
void SendHint(std::string word, std::string count);
// Back hint: the last `count` characters, every earlier character as "-".
void SendBackwardsHint(std::string word, std::string count);

std::string ReverseText(std::string text);

// Words of five characters per minute for `text` typed in `seconds`. The seconds are taken to
// four decimals, as the word clock keeps them; the speed is rounded to two decimals and then to a
// whole number, halves to even. 0 when the seconds are 0; a speed beyond 16 bits is clamped to
// -32768..32767.
std::int16_t WordsPerMinute(const std::string& text, double seconds);
