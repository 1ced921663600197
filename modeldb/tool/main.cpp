// teva: makes and inspects building project files (see `teva --help`).
#include "Commands.h"

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    return teva::runTeva(args);
}
