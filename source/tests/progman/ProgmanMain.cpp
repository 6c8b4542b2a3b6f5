// A stand-in for the Windows directory's progman.exe: a program that only carries a version
// resource in one language, for the data source's language table.
int main() { return 0; }
