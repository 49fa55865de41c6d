#pragma once

// Test seam for write failures. The test executable defines write, fsync, fdatasync, close and
// the rename calls itself, so every writer of the program (the temp-and-rename of the map file,
// the binary export and the pictures) goes through them; while a fault is armed, calls on
// files below one folder fail the way a full disk or a failing device makes them fail. Runs as
// root make read-only folders useless for this, hence the seam. Test-only: never linked into the
// program.

#include <string>

enum class FaultPoint {
    FirstByte,  ///< the first write to a file fails (no space left)
    Middle,     ///< writes stop after a given number of bytes (a short write, then no space)
    Flush,      ///< fsync / fdatasync fail (an I/O error on the way to the disk)
    Close,      ///< close reports an I/O error (as network file systems do)
    Rename,     ///< moving the finished file over the target fails
};

const char* FaultPointName(FaultPoint point);

/** Arms a fault for files below folder (an absolute path); middleByte is where a Middle fault
 *  cuts the file. */
void ArmFault(const std::string& folder, FaultPoint point, long long middleByte = 0);
/** Disarms and returns how many calls the fault made fail. */
int DisarmFault();
