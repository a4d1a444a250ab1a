#pragma once
// Test cases share one process: this puts back what the framework keeps for the whole
// process (windows, menu bar, plug-in table, signal handling, seams, the run time's
// registries) to where a new process starts.

void FrameworkResetForTesting();
