#include "cli.h"

int main(int argc, char** argv)
{
    return dm::runCli(argc, argv, std::cin, std::cout, std::cerr);
}
