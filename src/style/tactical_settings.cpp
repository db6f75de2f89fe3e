#include "style/tactical.h"

bool tactical_move_selection = true;
int tactic_threshold_cp = 40;
