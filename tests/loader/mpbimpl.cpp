#define QUELP_MPB_IMPLEMENTATION
#include "quelp_mpb.h"
