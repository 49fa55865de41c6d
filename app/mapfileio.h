#pragma once

#include "filecommands.h"

/** Reading and writing through the map file format. */
MapFileIo DefaultMapFileIo();
