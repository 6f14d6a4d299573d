// The add-on used as a person uses it: the real DLL in a host environment,
// driven by mouse and keyboard input and by answering its dialogs, with what
// the person sees (the list's rows, the grids' pixels, the tool buttons) and
// what the host sees (the published database) read back after each step.

#include <gtest/gtest.h>
