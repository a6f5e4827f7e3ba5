// The smallest program that is laid out as an application bundle.
int main() { return 0; }
