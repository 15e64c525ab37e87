// vorkala-script SCRIPT: runs the game headless from a script file. With "-" it reads the
// script from standard input and runs each command as its line arrives, so that another
// program can drive the game step by step (two games against one settings file, say).
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "runtime/data_files.h"
#include "script.h"

namespace {

int runWhole(std::istream& in, const char* name) {
    std::vector<vkscript::Command> commands;
    try {
        commands = vkscript::parseScript(in);
    } catch (const vkscript::ParseError& e) {
        std::cerr << name << ":" << e.line << ": " << e.message << "\n";
        return vkscript::kBadScript;
    }
    vkscript::ScriptRunner runner(vk::defaultProgramFolder(), std::cout, std::cerr);
    return runner.run(commands);
}

int runLineByLine(std::istream& in) {
    vkscript::ScriptRunner runner(vk::defaultProgramFolder(), std::cout, std::cerr);
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        std::istringstream one(text);
        int status = vkscript::kFinished;
        try {
            status = runner.run(vkscript::parseScript(one, line));
        } catch (const vkscript::ParseError& e) {
            std::cerr << "-:" << e.line << ": " << e.message << "\n";
            status = vkscript::kBadScript;
        }
        std::cout.flush();
        if (status != vkscript::kFinished) return status;
    }
    return vkscript::kFinished;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: vorkala-script SCRIPT (or - for standard input, line by line)\n";
        return vkscript::kBadScript;
    }
    if (std::string(argv[1]) == "-") return runLineByLine(std::cin);
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << "vorkala-script: cannot read " << argv[1] << "\n";
        return vkscript::kBadScript;
    }
    return runWhole(in, argv[1]);
}
