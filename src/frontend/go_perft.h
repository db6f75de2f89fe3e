#pragma once
// "go perft N": the move tree of the game position counted per legal root move, in the
// form test scripts and GUI consoles read: "MOVE: COUNT" lines in generation order,
// an empty line, then "Nodes searched: TOTAL".

// Counts and prints on the calling thread (the search thread). A raised stop_search
// ends it early: the root moves already printed, then the total of those.
void run_go_perft(int depth);
