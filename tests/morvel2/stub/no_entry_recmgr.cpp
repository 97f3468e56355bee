// A library by the record manager's name that lacks its call entry.
extern "C" __attribute__((visibility("default"))) int SomethingElse() { return 0; }
