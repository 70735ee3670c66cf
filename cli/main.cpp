#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "core/platform.h"

int main(int argc, char** argv)
{
    bidmark::platform::prepareProcess();
    return bidmark::cli::run(bidmark::platform::arguments(argc, argv), std::cout, std::cerr);
}
