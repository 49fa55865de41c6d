#include "application.h"
#include "commandline.h"

int main(int argc, char** argv)
{
    if (IsCommandLineRun(argc, argv))
        return RunCommandLine(argc, argv);
    return RunEditor(argc, argv);
}
