// Program entry; the run itself lives in the main window unit.
int main() { return 0; }
