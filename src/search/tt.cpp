#include "search/tt.h"

// Placeholder until the table is written.
void tt_clear() {}
