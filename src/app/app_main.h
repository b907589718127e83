// The program's main procedure and the reset of its state.
#pragma once

int AppMain();

// Every global back to its start value (zero or empty).
void ResetProgramState();
