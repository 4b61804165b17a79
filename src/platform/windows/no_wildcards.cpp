// The MinGW-w64 start-up may expand wildcards in the command line into file
// names, depending on how its run-time was built. A name such as * must
// reach the rename request as typed, so this program says so itself.
extern "C" {
int _dowildcard = 0;
}
