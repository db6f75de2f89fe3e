#include "frontend/options.h"

#include "search/strength.h"

int hash_megabytes = DEFAULT_HASH_MB;
int move_overhead_ms = DEFAULT_MOVE_OVERHEAD_MS;
int multi_pv = 1;
bool ponder_enabled = false;
bool limit_strength = false;
int strength_elo = STRENGTH_DEFAULT_ELO;
