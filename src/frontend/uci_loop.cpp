#include "frontend/uci.h"

// Placeholder until the command loop is written: returns at once.
void uci_loop() {}
