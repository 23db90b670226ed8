#pragma once

// Called by every test program's main, so that the test program's own
// connect (which refuses any address but the loopback one) is linked in.
void RequireLoopbackOnly();
