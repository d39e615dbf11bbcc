// The race scene's keys, polled once per race frame before anything reads them.
#pragma once

// Moves the edge states of Down, Left, Right and Q on, in that order.
void PollRaceKeys();
