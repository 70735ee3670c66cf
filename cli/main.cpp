#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "core/platform.h"

int main(int argc, char** argv)
{
    bidmark::platform::prepareProcess();
    return bidmark::cli::run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
