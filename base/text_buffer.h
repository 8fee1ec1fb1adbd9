// The size of every fixed text buffer: paths, versions, key names and display texts hold
// at most 259 characters and the terminating NUL.
#pragma once

#include <cstddef>

const size_t kTextBufferSize = 260;
