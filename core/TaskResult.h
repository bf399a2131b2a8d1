#pragma once

// The records an engine reports live with the journal that stores them, the lowest layer that
// needs them.
#include "platform/JournalRecords.h"
