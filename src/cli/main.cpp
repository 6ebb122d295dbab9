#include <iostream>

#include "cli/commands.h"

int main(int argc, char** argv) { return mq::cli::Main(argc, argv, std::cout, std::cerr); }
