/* A library that is no plug-in: it lacks IsUpdateComplete. */
int SomethingElse(void) { return 42; }
