// A shared library with none of a control library's entry points.

extern "C" __attribute__((visibility("default"))) int NotAControlAnswer() { return 42; }
