#include "application.h"
#include "commandline.h"

int main(int argc, char** argv)
{
    // Options of the headless command line run without a display; anything else is the editor.
    if (IsCommandLineRun(argc, argv))
        return RunCommandLine(argc, argv);
    return RunEditor(argc, argv);
}
