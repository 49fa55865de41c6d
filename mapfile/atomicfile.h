#pragma once

// The temp-and-rename writer lives in core/ so that every writer below the views shares it.
#include "core/atomicfile.h"
