// FakeShell is defined in its header.
#include "fake_shell.h"
