#pragma once
// Waits a whole number of seconds by the clock while pending events keep running.

// The start is the clock rounded to a whole second (halves to even), so a pause of n seconds
// lasts between n - 0.5 and n + 0.5 seconds. A pause across midnight still ends.
void Pause(int seconds);
