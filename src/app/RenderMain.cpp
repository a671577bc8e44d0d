// quorbel-render: runs the program's form logic headless from a script of user actions
// (see app/RenderScript.h for the command line).
#include <iostream>
#include <string>
#include <vector>

#include "app/RenderScript.h"

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return RunRenderScript(arguments, std::cout, std::cerr);
}
