// vorkala-script SCRIPT: runs the game headless from a script file.
#include <fstream>
#include <iostream>

#include "runtime/data_files.h"
#include "script.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: vorkala-script SCRIPT\n";
        return vkscript::kBadScript;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << "vorkala-script: cannot read " << argv[1] << "\n";
        return vkscript::kBadScript;
    }
    std::vector<vkscript::Command> commands;
    try {
        commands = vkscript::parseScript(in);
    } catch (const vkscript::ParseError& e) {
        std::cerr << argv[1] << ":" << e.line << ": " << e.message << "\n";
        return vkscript::kBadScript;
    }
    vkscript::ScriptRunner runner(vk::defaultProgramFolder(), std::cout, std::cerr);
    return runner.run(commands);
}
