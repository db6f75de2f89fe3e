// Entry point; the start-up sequence and the command line are being built.
int main() { return 0; }
