#pragma once
// Starting the uninstall batch: hidden, at idle priority, not waited for.

#include <string>

// Batch is a full path. False when it is missing or cannot be started.
bool StartHiddenBatch(const std::string& Batch);
