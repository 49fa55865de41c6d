#include "mapfileio.h"

MapFileIo DefaultMapFileIo()
{
    return MapFileIo{};
}
