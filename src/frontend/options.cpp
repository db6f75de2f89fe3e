#include "frontend/options.h"

int hash_megabytes = 16;
int move_overhead_ms = 10;
int multi_pv = 1;
bool ponder_enabled = false;
int search_threads = 1;
