#pragma once

// Fills the pick lists of the batch, sample and run windows at start-up,
// through each window's own refill. The windows are created hidden here and
// kept for the whole run. A failure is reported and the start-up goes on.
void FillStartupPickLists();
